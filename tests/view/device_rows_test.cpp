// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The row records: the six texts exactly, and the device each belongs to.
#include <gtest/gtest.h>

#include <cstring>

#include "view/device_rows.h"

TEST(DeviceRecordPool, EachRecordIsItsTextsAndKnowsItsDevice)
{
    DeviceRecordPool pool;
    const std::string text("Cam\0"
                           "10.0.0.1\0"
                           "255.0.0.0\0"
                           "0.0.0.0\0"
                           "00-00-00-00-00-01\0"
                           "1.00\0",
                           44);
    const char* first = pool.Add(text, 7);
    const char* second = pool.Add(text, 8);
    // The record itself is the six texts only.
    EXPECT_EQ(std::memcmp(first, text.data(), text.size()), 0);
    EXPECT_EQ(first[text.size()], '\0');
    EXPECT_EQ(pool.DeviceOf(first), std::optional<device::DeviceId>{7});
    EXPECT_EQ(pool.DeviceOf(second), std::optional<device::DeviceId>{8});
    EXPECT_EQ(pool.DeviceOf(text.data()), std::nullopt); // not one of the pool's
    pool.Clear();
    EXPECT_EQ(pool.Size(), 0u);
    EXPECT_EQ(pool.DeviceOf(first), std::nullopt);
}
