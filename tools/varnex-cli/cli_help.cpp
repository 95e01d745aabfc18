// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_help.h"

namespace cli {

namespace {

const char* const kCommonOptions = "Options of every command:\n"
                                   "  --local-port N       local UDP port to bind (4000)\n"
                                   "  --device-port N      UDP port the devices listen on (36)\n"
                                   "  --broadcast ADDR     address the packets go to (255.255.255.255)\n"
                                   "  --interface NAME     the one network interface to use, or all (all)\n"
                                   "  --help               show this help\n";

// How the commands use the network interfaces.
const char* const kInterfaceNote = "Interfaces: a probe to 255.255.255.255 leaves by one interface only, so it is\n"
                                   "sent once on every interface that is up with an IPv4 broadcast address\n"
                                   "(loopback left out), or only on the one --interface names; then only answers\n"
                                   "that come in on that one count. Another --broadcast address is sent once,\n"
                                   "where the routes send it, unless --interface names one.\n";

const char* const kPasswordNote = "Password (0-8 bytes, never an argument): the first line of standard input\n"
                                  "with --password-stdin, else $VARNEX_PASSWORD, else asked without echo when\n"
                                  "standard input is a terminal, else empty.\n";

const char* const kExitNote = "Exit status: 0 success, 1 runtime failure, 2 bad usage or bad input.\n";

// set-ip, set-mac and reset: how the change is confirmed, and the status of one that is not.
const char* const kVerifyOptions = "  --verify-wait SECONDS  how long to look for the device afterwards (5)\n"
                                   "  --no-verify          send and end, without looking\n";

const char* const kVerifyNote = "Confirmation: after sending, the device is looked for as discover looks, a new\n"
                                "probe each time listening ends (windows of --wait seconds, at least 0.5), until\n"
                                "it answers as the command says or --verify-wait ends. Then one line goes to\n"
                                "standard output: \"Confirmed: MAC answers at ADDRESS on INTERFACE\", or \"No\n"
                                "answer from MAC at ADDRESS on INTERFACE\" with status 3.\n";

const char* const kWatchExitNote = "Exit status: 0 ended by SIGINT or SIGTERM, 1 runtime failure, 2 bad usage.\n";

const char* const kVerifyExitNote = "Exit status: 0 success (and confirmed), 1 runtime failure, 2 bad usage or bad\n"
                                    "input, 3 sent, but the device did not answer as it should within --verify-wait.\n";

// The commands that send to a device: where what they sent is recorded.
const char* const kLogNote = "Log of changes: each packet sent is one JSON line in\n"
                             "$XDG_STATE_HOME/varnex/commands.log (~/.local/state/varnex/commands.log),\n"
                             "written once the command's verdict is known, with \"confirmed\" true or false,\n"
                             "or null when the device was not looked for. Never a password.\n";

const char* const kApplyExitNote = "Exit status: 0 every line sent was confirmed (or nothing needed sending), 1\n"
                                   "runtime failure or a line not sent, 2 bad usage or a bad plan (nothing sent),\n"
                                   "3 all sent, but not every device answered as it should within --verify-wait.\n";

} // namespace

std::string OverallHelp()
{
    return std::string("Usage: varnex-cli COMMAND [ARGUMENTS] [OPTIONS]\n"
                       "       varnex-cli --help | --version\n"
                       "Finds and configures Varnex devices on the local segment by UDP broadcast.\n"
                       "\n"
                       "Commands:\n"
                       "  discover [--wait S] [--max-wait S] [--format table|csv|json] [--with-model]\n"
                       "                              list the devices that answer a probe\n"
                       "  set-ip MAC {--ip A | --mask M | --gateway G}... [--wait S] [--max-wait S]\n"
                       "                              change a device's IP address, mask or gateway\n"
                       "  set-mac CURRENT_IP NEW_MAC  give the device at CURRENT_IP a new MAC\n"
                       "  reset MAC                   restart a device\n"
                       "  update-firmware MAC         put a device into firmware-update mode\n"
                       "  web IP                      open a device's web page in the browser\n"
                       "  apply PLAN [--dry-run] [--format csv|json]\n"
                       "                              new addresses for many devices, from a CSV plan\n"
                       "  watch [--interval S] [--format text|json]\n"
                       "                              a line for each device that appears, changes or\n"
                       "                              goes quiet, until Ctrl+C\n"
                       "The commands to a device discover it first and send by the interface on\n"
                       "which it answered; set-ip, set-mac, reset and apply then probe again to\n"
                       "confirm the change took (status 3 when a device does not answer as it should).\n"
                       "\n"
                       "Options of every command, after its name:\n"
                       "  --local-port N       local UDP port to bind (4000)\n"
                       "  --device-port N      UDP port the devices listen on (36)\n"
                       "  --broadcast ADDR     address the packets go to (255.255.255.255)\n"
                       "  --interface NAME     the one network interface to use, or all (all)\n"
                       "\n") +
           kInterfaceNote + "\n" + kPasswordNote + "\n" + kExitNote +
           "Run 'varnex-cli COMMAND --help' for the details of a command.\n";
}

std::string CommandHelp(Command command)
{
    std::string text;
    switch (command) {
    case Command::kDiscover:
        text = "Usage: varnex-cli discover [--wait S] [--max-wait S] [--format table|csv|json]\n"
               "                         [--with-model] [OPTIONS]\n"
               "Broadcasts a probe from the local port and prints one row per answer, in\n"
               "arrival order. Listening goes on in windows of --wait seconds, as the desktop\n"
               "program's Refresh does: a window in which an answer came opens another, and\n"
               "the first window without an answer ends listening. It never goes on past\n"
               "--max-wait seconds after the probe, however many datagrams still arrive.\n"
               "Every datagram that arrives is an answer; the first 100000 answers are\n"
               "listed, any further ones counted in a warning.\n"
               "\n"
               "  --wait SECONDS       length of a listening window (2; fractions allowed)\n"
               "  --max-wait SECONDS   longest time listening, counted from the probe (30)\n"
               "  --format FORMAT      table (aligned columns), csv (RFC 4180 quoting, a header\n"
               "                       line, CRLF line ends) or json (an array of objects:\n"
               "                       name, ip, mask, gateway, mac, version, model as a\n"
               "                       number, interface, the name of the interface the\n"
               "                       answer came in on, or null, duplicate_ip and\n"
               "                       reachable); csv\n"
               "                       and json are the files the window's Export List saves\n"
               "  --with-model         add a last column Model, the model code in decimal, to\n"
               "                       table and csv (their other columns stay as they are)\n"
               "\n"
               "Device names are shown as sent: valid UTF-8 as it is; in a table, other bytes\n"
               "and control characters as \\xNN; in json, as \\u00NN (their Latin-1 reading);\n"
               "in csv, as that Latin-1 reading in UTF-8.\n"
               "\n"
               "Two devices (two MACs) answering from one address on one interface are the\n"
               "commonest fault when setting devices up: json marks each with duplicate_ip\n"
               "true; with the other formats one warning line per address goes to standard\n"
               "error.\n"
               "\n"
               "A device whose address is outside the subnet of the interface it answered\n"
               "on cannot be reached directly (its web page, for one): json marks it with\n"
               "reachable false; with the other formats a warning line goes to standard\n"
               "error.\n"
               "\n"
               "Answers that arrive faster than they are read wait in a receive buffer of\n"
               "4 MiB (the kernel may grant less: net.core.rmem_max). Answers the kernel\n"
               "dropped when it was full are counted on standard error; the exit status\n"
               "stays 0 and the list holds the answers that were read.\n";
        break;
    case Command::kSetIp:
        text = "Usage: varnex-cli set-ip MAC {--ip A | --mask M | --gateway G}... [--wait S]\n"
               "                            [--password-stdin] [OPTIONS]\n"
               "Discovers the devices, takes the first one that answers with MAC ('-' or ':'\n"
               "separators, any case), and sends one packet per changed value in the order\n"
               "IP, mask, gateway, each with all three new values; values not given keep\n"
               "the device's. The packets leave by the interface on which the device\n"
               "answered. Nothing changed: nothing is sent. At least one of the three\n"
               "must be given; without any the command stops with status 2.\n"
               "\n"
               "  --ip A, --mask M, --gateway G   new values, four dotted numbers 0-255\n"
               "  --wait SECONDS       length of the discovery's listening windows (2)\n"
               "  --max-wait SECONDS   longest time the discovery listens (30)\n"
               "  --password-stdin     read the password from standard input's first line\n" +
               std::string(kVerifyOptions) +
               "It is confirmed when the device answers with MAC from the new IP address,\n"
               "mask and gateway (a device of unknown model sends no gateway).\n";
        break;
    case Command::kSetMac:
        text = "Usage: varnex-cli set-mac CURRENT_IP NEW_MAC [--wait S] [--password-stdin]\n"
               "                                 [OPTIONS]\n"
               "Takes the password, discovers the devices, and sends one packet that gives\n"
               "the first device that answers with the address CURRENT_IP the MAC NEW_MAC:\n"
               "six groups of one or two hexadecimal digits separated by '-'. The packet\n"
               "leaves by the interface on which the device answered; when none answers,\n"
               "nothing is sent and the status is 1.\n"
               "\n"
               "  --wait SECONDS       length of the discovery's listening windows (2)\n"
               "  --max-wait SECONDS   longest time the discovery listens (30)\n"
               "  --password-stdin     read the password from standard input's first line\n" +
               std::string(kVerifyOptions) + "It is confirmed when a device answers with NEW_MAC on that interface.\n";
        break;
    case Command::kReset:
        text = "Usage: varnex-cli reset MAC [--wait S] [--password-stdin] [OPTIONS]\n"
               "Takes the password, discovers the devices, and sends one soft-reset packet to\n"
               "the device with MAC ('-' or ':', any case) by the interface on which it\n"
               "answered; when it does not answer, nothing is sent and the status is 1.\n"
               "\n"
               "  --wait SECONDS       length of the discovery's listening windows (2)\n"
               "  --max-wait SECONDS   longest time the discovery listens (30)\n"
               "  --password-stdin     read the password from standard input's first line\n" +
               std::string(kVerifyOptions) +
               "It is confirmed when the device answers again after its restart (a device\n"
               "that ignored the reset answers too: a probe cannot tell the two apart).\n";
        break;
    case Command::kUpdateFirmware:
        text = "Usage: varnex-cli update-firmware MAC [--wait S] [--password-stdin] [OPTIONS]\n"
               "Takes the password, discovers the devices, and sends one packet that puts the\n"
               "device with MAC ('-' or ':', any case) into firmware-update mode, by the\n"
               "interface on which it answered; when it does not answer, nothing is sent and\n"
               "the status is 1. The image itself does not come from this program.\n"
               "\n"
               "  --wait SECONDS       length of the discovery's listening windows (2)\n"
               "  --max-wait SECONDS   longest time the discovery listens (30)\n"
               "  --password-stdin     read the password from standard input's first line\n";
        break;
    case Command::kApply:
        text = "Usage: varnex-cli apply PLAN [--dry-run] [--format csv|json] [--wait S]\n"
               "                        [--password-stdin] [OPTIONS]\n"
               "PLAN is a CSV file: the header mac,ip,mask,gateway, then one device a line\n"
               "(mask and gateway may be empty: the device keeps its own). The devices are\n"
               "discovered and the whole plan is checked first: a line that does not parse,\n"
               "a MAC given twice or that did not answer, an address given twice or that\n"
               "another device answers from, the interface's own address, an address outside\n"
               "its subnet, or the network or broadcast address of the mask. A plan with any\n"
               "problem sends nothing; each problem is named with its line on standard error\n"
               "and the status is 2. Then the password is taken once, and each device gets\n"
               "the packets of the values that change, by the interface on which it answered.\n"
               "Then all the devices sent to are looked for at once, as set-ip looks for one:\n"
               "a device is confirmed when it answers with its MAC, on its interface, from\n"
               "its new address, mask and gateway. Standard output gets one result per line:\n"
               "confirmed; not confirmed: No answer from MAC at ADDRESS on INTERFACE; sent\n"
               "(with --no-verify); unchanged (nothing to send); or not sent with the reason.\n"
               "In json, confirmed is true or false, or null when the line was not looked for.\n"
               "\n"
               "  --dry-run            check the plan and say what would be sent; send nothing\n"
               "  --format FORMAT      csv (the default) or json\n"
               "  --wait SECONDS       length of the discovery's listening windows (2)\n"
               "  --max-wait SECONDS   longest time the discovery listens (30)\n"
               "  --password-stdin     read the password from standard input's first line\n" +
               std::string(kVerifyOptions);
        break;
    case Command::kWatch:
        text = "Usage: varnex-cli watch [--interval S] [--format text|json] [OPTIONS]\n"
               "Probes every --interval seconds and prints a line for each event as it\n"
               "happens: appeared (a device not known answers, or one that was gone answers\n"
               "again), changed (a known device answers with another name, IP address,\n"
               "mask, gateway, version or model: each changed field with its value before\n"
               "and after) and gone (a device did not answer two probes in a row). A device\n"
               "is its MAC on the interface it answered on; every answer until the next\n"
               "probe counts for the probe before it. A device gone for an hour is forgotten\n"
               "(it appears anew when it answers again), so that a long watch keeps its\n"
               "memory bounded; at most 100000 devices are watched at once. Watching ends on\n"
               "SIGINT (Ctrl+C) or SIGTERM with status 0.\n"
               "\n"
               "  --interval SECONDS   time from one probe to the next, 1 to 3600 (15;\n"
               "                       fractions allowed)\n"
               "  --format FORMAT      text (a line an event: time, event, interface, MAC,\n"
               "                       then ip, mask, gateway, version, model and name as\n"
               "                       key=value, a changed field followed by \"(was OLD)\")\n"
               "                       or json (an object a line: time, event, the members\n"
               "                       of discover's json, and returned (appeared), changes\n"
               "                       with from and to for each changed field (changed) or\n"
               "                       last_seen (gone)); text\n"
               "\n"
               "Times are UTC in ISO 8601 (2025-03-01T14:05:09Z). Each line is written as\n"
               "soon as its event is seen, so that a script reading a pipe hears it at once.\n";
        break;
    case Command::kWeb:
        return "Usage: varnex-cli web IP [OPTIONS]\n"
               "Starts the desktop's web browser, detached, with the text IP as its argument.\n"
               "The browser is the first usable entry of $BROWSER (a ':'-separated list; %s\n"
               "stands for the argument), else the desktop's default web browser (from\n"
               "xdg-settings and its .desktop file), else xdg-open. Nothing is sent.\n"
               "\n" +
               std::string(kCommonOptions) + "\n" +
               "Exit status: 0 browser started, 1 none could be started, 2 bad usage.\n";
    }
    text += "\n";
    text += kCommonOptions;
    text += "\n";
    text += kInterfaceNote;
    if (command != Command::kDiscover && command != Command::kWatch) {
        text += "\n";
        text += kPasswordNote;
    }
    if (Verifies(command) && command != Command::kApply) {
        text += "\n";
        text += kVerifyNote;
    }
    if (command != Command::kDiscover && command != Command::kWatch) {
        text += "\n";
        text += kLogNote;
    }
    text += "\n";
    text += command == Command::kApply   ? kApplyExitNote
            : Verifies(command)          ? kVerifyExitNote
            : command == Command::kWatch ? kWatchExitNote
                                         : kExitNote;
    return text;
}

} // namespace cli
