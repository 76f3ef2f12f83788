// The main menu's "Communicate" item and the seam to its transfer
// protocols.
//
// The protocols run on the terminal; the PC only waits as they would until
// the user cancels. Tests and other hosts replace them through
// rt_protocols to reach the outcomes of a real transfer.
#pragma once

namespace formwick {

inline constexpr int PROTOCOL_ABORTED = -1; // cancelled by the user
// Any other negative result is a failed transfer.

struct CommProtocols {
    // Network protocol, receiving: the number of data files received (> 0).
    int (*ryvo_receive)() = nullptr;
    // Network protocol, sending the given data files: 0 on success.
    int (*ryvo_transmit)(const char* const* files, int count) = nullptr;
    // Serial protocol: 0 on success.
    int (*xaplink)() = nullptr;
};

// The PC's protocols: Ryvo waits for clear, Xaplink for any key; both
// report PROTOCOL_ABORTED.
CommProtocols rt_pc_protocols();

// The protocols in use; null members use the PC's.
inline CommProtocols rt_protocols{};

void communicate_menu();

} // namespace formwick
