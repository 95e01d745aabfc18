// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The document: the devices of the current discovery. Nothing is stored in a
// file; the table lives as long as the window.
#pragma once

#include "devices/device_table.h"
#include "framework/document.h"

class CVarnexDoc : public CDocument {
public:
    BOOL OnNewDocument() override;
    void Serialize(bool storing, std::vector<unsigned char>& data) override;

    device::DeviceTable& GetDevices() { return m_tableDevices; }
    const device::DeviceTable& GetDevices() const { return m_tableDevices; }

private:
    device::DeviceTable m_tableDevices;
};
