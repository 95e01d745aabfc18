// The order of device rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "view/compare_devices.h"

namespace {

std::string Record(const std::string& name, const std::string& ip, const std::string& mask = "255.255.255.0",
                   const std::string& gw = "192.168.1.1", const std::string& mac = "00-00-00-00-00-01")
{
    return name + '\0' + ip + '\0' + mask + '\0' + gw + '\0' + mac + '\0' + "1.20" + '\0';
}

int Cmp(const std::string& a, const std::string& b, LPARAM code)
{
    return CompareDevices(reinterpret_cast<LPARAM>(a.c_str()), reinterpret_cast<LPARAM>(b.c_str()), code);
}

std::vector<std::string> SortedNames(std::vector<std::string> records, LPARAM code)
{
    std::stable_sort(records.begin(), records.end(),
                     [code](const std::string& a, const std::string& b) { return Cmp(a, b, code) < 0; });
    std::vector<std::string> names;
    for (const auto& r : records)
        names.push_back(r.c_str());
    return names;
}

} // namespace

TEST(CompareDevicesTest, AddressesSortAsTextInReverseOrder)
{
    const auto names =
        SortedNames({Record("a", "192.168.1.9"), Record("b", "192.168.1.10"), Record("c", "192.168.1.100")}, 2);
    EXPECT_EQ(names, (std::vector<std::string>{"a", "c", "b"})); // .9, .100, .10
}

TEST(CompareDevicesTest, EqualAddressesFallBackToNamesAscending)
{
    EXPECT_LT(Cmp(Record("Alpha", "10.0.0.1"), Record("Beta", "10.0.0.1"), 2), 0);
    EXPECT_LT(Cmp(Record("Alpha", "1", "255.0.0.0"), Record("Beta", "2", "255.0.0.0"), 3), 0);
    EXPECT_LT(Cmp(Record("Alpha", "1", "m", "10.0.0.1"), Record("Beta", "2", "m", "10.0.0.1"), 4), 0);
    // Names and MACs have no second key.
    EXPECT_EQ(Cmp(Record("Alpha", "1", "m", "g", "AA"), Record("Beta", "2", "m", "g", "AA"), 5), 0);
}

TEST(CompareDevicesTest, SignOfTheCodeIsIgnoredAndOtherCodesCompareEqual)
{
    const std::string a = Record("Alpha", "10.0.0.2");
    const std::string b = Record("Beta", "10.0.0.1");
    EXPECT_EQ(Cmp(a, b, 2), Cmp(a, b, -2));
    EXPECT_GT(Cmp(a, b, 1), 0); // names in reverse order: "Beta" first
    for (LPARAM code : {LPARAM{0}, LPARAM{6}, LPARAM{-6}, LPARAM{7}, LPARAM{INT32_MIN}})
        EXPECT_EQ(Cmp(a, b, code), 0) << code;
}

TEST(CompareDevicesTest, BytesCompareUnsigned)
{
    // A name with a byte above 0x7F sorts after plain letters in text order, so first in reverse order.
    EXPECT_LT(Cmp(Record("\xC3\xA9t\xC3\xA9", "1"), Record("zeta", "1"), 1), 0);
}
