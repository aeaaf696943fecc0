#pragma once

// The protocols of a connection. The numbers are stored in the settings ("networkProtocol"),
// offered by the settings window and handed to the engines as ConnectionParameters::protocol,
// so they never change.
namespace VpnProtocol {
enum Id : int {
    OpenVpnUdp = 0,
    OpenVpnTcp = 1,
    Stealth = 2,
    WireGuard = 3,
};
} // namespace VpnProtocol
