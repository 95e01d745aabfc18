// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Dialog templates.
#include "framework/commctrl.h"
#include "res/install_resources.h"
#include "res/text/resource_ids.h"

namespace res {

namespace {

using K = DialogControlKind;

const DialogTemplateDef kAbout{IDD_ABOUTBOX,
                               "About Varnex",
                               235,
                               55,
                               "MS Shell Dlg",
                               9,
                               {
                                   {K::Icon, 0xFFFF, "", 11, 17, 20, 20, 0, IDR_MAINFRAME},
                                   {K::Static, 0xFFFF, "Varnex v1.20", 40, 10, 119, 8, 0, 0},
                                   {K::DefPushButton, 1, "確定", 178, 7, 50, 16, 0, 0},
                               }};

const DialogTemplateDef kInputIp{IDD_INPUT_IP,
                                 "Dialog Frame",
                                 124,
                                 138,
                                 "MS Shell Dlg",
                                 8,
                                 {
                                     {K::IPAddress, IDC_IPADDRESS_IP, "", 12, 18, 100, 12, 0, 0},
                                     {K::IPAddress, IDC_IPADDRESS_MASK, "", 12, 54, 100, 12, 0, 0},
                                     {K::IPAddress, IDC_IPADDRESS_GATEWAY, "", 12, 90, 100, 12, 0, 0},
                                     {K::DefPushButton, 1, "Confirm", 18, 114, 36, 18, 0, 0},
                                     {K::PushButton, 2, "Cancel", 72, 114, 36, 18, 0, 0},
                                     {K::GroupBox, 0xFFFF, "Input IP Address", 6, 6, 114, 30, 0, 0},
                                     {K::GroupBox, 0xFFFF, "Input Subnet Mask", 6, 42, 114, 30, 0, 0},
                                     {K::GroupBox, 0xFFFF, "Input Gateway IP", 6, 78, 114, 30, 0, 0},
                                 }};

const DialogTemplateDef kInputMac{IDD_INPUT_MAC,
                                  "Dialog Frame",
                                  124,
                                  66,
                                  "MS Shell Dlg",
                                  8,
                                  {
                                      {K::DefPushButton, 1, "Confirm", 18, 42, 36, 18, 0, 0},
                                      {K::PushButton, 2, "Cancel", 72, 42, 36, 18, 0, 0},
                                      {K::GroupBox, 0xFFFF, "Input MAC", 6, 6, 114, 30, 0, 0},
                                      {K::Edit, IDC_EDIT_MAC, "", 12, 18, 102, 12, ES_UPPERCASE, 0},
                                  }};

const DialogTemplateDef kInputPassword{
    IDD_INPUT_PASSWORD,
    "Dialog Frame",
    124,
    66,
    "MS Shell Dlg",
    8,
    {
        {K::Edit, IDC_EDIT_PASSWORD, "", 12, 18, 102, 12, ES_PASSWORD | ES_AUTOHSCROLL, 0},
        {K::DefPushButton, 1, "Confirm", 18, 42, 36, 18, 0, 0},
        {K::PushButton, 2, "Cancel", 72, 42, 36, 18, 0, 0},
        {K::GroupBox, 0xFFFF, "Input Password", 6, 6, 114, 30, 0, 0},
    }};

// The list fills the dialog; the note below it says where the log is and what
// could not be read.
const DialogTemplateDef kChangeLog{
    IDD_CHANGE_LOG,
    "Change Log",
    520,
    262,
    "MS Shell Dlg",
    8,
    {
        {K::ListView, IDC_CHANGE_LIST, "", 7, 7, 506, 196, LVS_REPORT | LVS_SHOWSELALWAYS, 0},
        {K::Static, IDC_CHANGE_NOTE, "", 7, 208, 506, 26, 0, 0},
        {K::PushButton, IDC_CHANGE_EXPORT, "&Export...", 401, 240, 54, 15, 0, 0},
        {K::DefPushButton, 1, "Close", 459, 240, 54, 15, 0, 0},
    }};

// Wide enough for the plan's lines in a fixed font: MAC, name, old and new address.
const DialogTemplateDef kAddressDevices{
    IDD_ADDRESS_DEVICES,
    "Address Devices",
    400,
    226,
    "MS Shell Dlg",
    8,
    {
        {K::IPAddress, IDC_BATCH_START, "", 12, 18, 98, 12, 0, 0},
        {K::IPAddress, IDC_BATCH_MASK, "", 12, 54, 98, 12, 0, 0},
        {K::IPAddress, IDC_BATCH_GATEWAY, "", 12, 90, 98, 12, 0, 0},
        {K::Edit, IDC_BATCH_PASSWORD, "", 12, 126, 98, 12, ES_PASSWORD | ES_AUTOHSCROLL, 0},
        {K::Edit, IDC_BATCH_PLAN, "", 128, 18, 260, 172, ES_MULTILINE | ES_READONLY, 0},
        {K::DefPushButton, 1, "Send", 282, 202, 54, 18, 0, 0},
        {K::PushButton, 2, "Cancel", 340, 202, 54, 18, 0, 0},
        {K::PushButton, IDC_BATCH_ONE_AT_A_TIME, "One at a Time...", 6, 202, 80, 18, 0, 0},
        {K::GroupBox, 0xFFFF, "Start Address", 6, 6, 110, 30, 0, 0},
        {K::GroupBox, 0xFFFF, "Subnet Mask", 6, 42, 110, 30, 0, 0},
        {K::GroupBox, 0xFFFF, "Gateway IP", 6, 78, 110, 30, 0, 0},
        {K::GroupBox, 0xFFFF, "Password", 6, 114, 110, 30, 0, 0},
        {K::GroupBox, 0xFFFF, "Plan", 122, 6, 272, 190, 0, 0},
    }};

const DialogTemplateDef kBatchProgress{
    IDD_BATCH_PROGRESS,
    "Address Devices",
    240,
    72,
    "MS Shell Dlg",
    8,
    {
        {K::Edit, IDC_BATCH_PROGRESS_TEXT, "", 6, 6, 228, 36, ES_MULTILINE | ES_READONLY, 0},
        {K::PushButton, 2, "Stop", 180, 48, 54, 18, 0, 0},
    }};

const DialogTemplateDef kBatchResults{
    IDD_BATCH_RESULTS,
    "Address Devices",
    400,
    226,
    "MS Shell Dlg",
    8,
    {
        {K::Edit, IDC_BATCH_RESULTS, "", 6, 6, 388, 190, ES_MULTILINE | ES_READONLY, 0},
        {K::PushButton, IDC_BATCH_COPY, "Copy", 282, 202, 54, 18, 0, 0},
        {K::DefPushButton, 1, "Close", 340, 202, 54, 18, 0, 0},
    }};

} // namespace

const DialogTemplateDef* FindDialog(UINT id)
{
    switch (id) {
    case IDD_ABOUTBOX:
        return &kAbout;
    case IDD_INPUT_IP:
        return &kInputIp;
    case IDD_INPUT_MAC:
        return &kInputMac;
    case IDD_INPUT_PASSWORD:
        return &kInputPassword;
    case IDD_CHANGE_LOG:
        return &kChangeLog;
    case IDD_ADDRESS_DEVICES:
        return &kAddressDevices;
    case IDD_BATCH_PROGRESS:
        return &kBatchProgress;
    case IDD_BATCH_RESULTS:
        return &kBatchResults;
    default:
        return nullptr;
    }
}

} // namespace res
