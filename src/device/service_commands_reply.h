// Reading the service commands' replies: rounds of short pauses, each adding what has arrived,
// until the reply is whole or the rounds run out, so a silent instrument cannot hold the panel.
#pragma once

#include "device/protocol.h"

#include <functional>
#include <string>

namespace mca {

struct ReplyRounds {
    int pausesPerRound = 1;
    int pauseMs = 100;
    int maxRounds = 1;
};

// Waits out rounds of `pausesPerRound` x `pauseMs`, appending everything queued after each, until
// `complete(text)` holds or `maxRounds` rounds have passed; returns what was gathered either way.
// Throws SerialPortError when the port fails.
std::string gatherReply(const Link& link, const ReplyRounds& rounds,
                        const std::function<bool(const std::string&)>& complete);

}  // namespace mca
