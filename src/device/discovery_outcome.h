// How an attempt to open an instrument ended, for the menu command that started it.
#pragma once

namespace mca {

enum class OpenOutcome {
    Opened,
    Refused,        // offline or acquiring; the operator has been told
    NotFound,       // no instrument answered, or it stopped answering; the operator has been told
    NotInUse,       // found, then given up: detector dialog cancelled, Abort, unreadable firmware
    EndRequested,   // the operator answered No to "Open in Offline Mode?": the program closes
};

// How reading the identity of an instrument that answered "U" ended.
enum class IdentityOutcome {
    Read,
    Silent,             // no serial number or no firmware revision within the bound
    UnreadableFirmware, // the revision is not a number; the operator has been told
};

}  // namespace mca
