// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
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

TEST(CompareDevicesTest, AddressesSortAsTextAscendingForAPositiveCodeAndDescendingForANegativeOne)
{
    const std::vector<std::string> rows{Record("a", "192.168.1.9"), Record("b", "192.168.1.10"),
                                        Record("c", "192.168.1.100")};
    EXPECT_EQ(SortedNames(rows, 2), (std::vector<std::string>{"b", "c", "a"})); // .10, .100, .9
    EXPECT_EQ(SortedNames(rows, -2), (std::vector<std::string>{"a", "c", "b"}));
}

TEST(CompareDevicesTest, EqualFieldsFallBackToNamesAscendingInBothDirections)
{
    for (LPARAM sign : {LPARAM{1}, LPARAM{-1}}) {
        EXPECT_LT(Cmp(Record("Alpha", "10.0.0.1"), Record("Beta", "10.0.0.1"), 2 * sign), 0);
        EXPECT_LT(Cmp(Record("Alpha", "1", "255.0.0.0"), Record("Beta", "2", "255.0.0.0"), 3 * sign), 0);
        EXPECT_LT(Cmp(Record("Alpha", "1", "m", "10.0.0.1"), Record("Beta", "2", "m", "10.0.0.1"), 4 * sign), 0);
        EXPECT_LT(Cmp(Record("Alpha", "1", "m", "g", "AA"), Record("Beta", "2", "m", "g", "AA"), 5 * sign), 0);
        EXPECT_LT(Cmp(Record("Alpha", "1"), Record("Beta", "2"), 6 * sign), 0); // same version
    }
    EXPECT_EQ(Cmp(Record("Same", "1"), Record("Same", "2"), 1), 0);
}

TEST(CompareDevicesTest, EveryColumnSortsByItsOwnTextAndOtherCodesCompareEqual)
{
    const std::string a = Record("Alpha", "10.0.0.2", "255.0.0.0", "10.0.0.9", "00-00-00-00-00-09");
    std::string b = Record("Beta", "10.0.0.1", "255.255.0.0", "10.0.0.1", "00-00-00-00-00-01");
    b.replace(b.rfind("1.20"), 4, "1.03");
    const int expected[6] = {-1, 1, -1, 1, 1, 1}; // a before b by name and mask only
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(Cmp(a, b, k + 1) < 0 ? -1 : 1, expected[k]) << "field " << k;
        EXPECT_EQ(Cmp(a, b, -(k + 1)) < 0 ? -1 : 1, -expected[k]) << "field " << k;
    }
    for (LPARAM code : {LPARAM{0}, LPARAM{7}, LPARAM{-7}, LPARAM{INT32_MIN}})
        EXPECT_EQ(Cmp(a, b, code), 0) << code;
}

TEST(CompareDevicesTest, BytesCompareUnsigned)
{
    // A name with a byte above 0x7F sorts after plain letters in text order.
    EXPECT_GT(Cmp(Record("\xC3\xA9t\xC3\xA9", "1"), Record("zeta", "1"), 1), 0);
    EXPECT_LT(Cmp(Record("\xC3\xA9t\xC3\xA9", "1"), Record("zeta", "1"), -1), 0);
}

namespace {

std::vector<std::string> SortedByNumbers(std::vector<std::string> records, LPARAM code)
{
    std::stable_sort(records.begin(), records.end(), [code](const std::string& a, const std::string& b) {
        return CompareDevicesByNumbers(reinterpret_cast<LPARAM>(a.c_str()), reinterpret_cast<LPARAM>(b.c_str()), code) <
               0;
    });
    std::vector<std::string> names;
    for (const auto& r : records)
        names.push_back(r.c_str());
    return names;
}

} // namespace

TEST(CompareDevicesTest, NumericOrderPutsEachAddressColumnInTheOrderOfItsFourNumbers)
{
    const std::vector<std::string> rows{Record("a", "10.20.0.100", "255.255.255.0", "10.20.0.100"),
                                        Record("b", "10.20.0.9", "255.255.0.0", "10.20.0.9"),
                                        Record("c", "9.255.255.255", "255.0.0.0", "9.255.255.255"),
                                        Record("d", "10.20.0.10", "255.255.255.128", "10.20.0.10")};
    EXPECT_EQ(SortedByNumbers(rows, 2), (std::vector<std::string>{"c", "b", "d", "a"}));
    EXPECT_EQ(SortedByNumbers(rows, -2), (std::vector<std::string>{"a", "d", "b", "c"}));
    EXPECT_EQ(SortedByNumbers(rows, 3), (std::vector<std::string>{"c", "b", "a", "d"}));
    EXPECT_EQ(SortedByNumbers(rows, 4), (std::vector<std::string>{"c", "b", "d", "a"}));
    // The text order is still there for the same rows.
    EXPECT_EQ(SortedNames(rows, 2), (std::vector<std::string>{"d", "a", "b", "c"}));
}

TEST(CompareDevicesTest, NumericOrderLeavesOtherColumnsAndTextThatIsNoAddressInTextOrder)
{
    // Names and MACs are not addresses even when they look like one.
    const std::vector<std::string> named{Record("10.0.0.9", "1.1.1.1"), Record("10.0.0.10", "1.1.1.1")};
    EXPECT_EQ(SortedByNumbers(named, 1), (std::vector<std::string>{"10.0.0.10", "10.0.0.9"}));
    // Text that is not four numbers 0-255 goes after every address, in text order.
    const std::vector<std::string> odd{Record("x", "10.0.0.256"), Record("y", "10.0.0"), Record("z", "10.0.0.1"),
                                       Record("w", "10.0.0.1.5"), Record("v", "")};
    EXPECT_EQ(SortedByNumbers(odd, 2), (std::vector<std::string>{"z", "v", "y", "w", "x"}));
    // Equal addresses still go by name.
    EXPECT_LT(CompareDevicesByNumbers(reinterpret_cast<LPARAM>(Record("A", "10.0.0.1").c_str()),
                                      reinterpret_cast<LPARAM>(Record("B", "10.0.0.1").c_str()), -2),
              0);
}
