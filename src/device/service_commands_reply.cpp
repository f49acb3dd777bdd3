// Bounded reply reads of the service commands.
#include "device/service_commands_reply.h"

namespace mca {

std::string gatherReply(const Link& link, const ReplyRounds& rounds,
                        const std::function<bool(const std::string&)>& complete) {
    std::string text;
    for (int round = 0; round < rounds.maxRounds; ++round) {
        for (int i = 0; i < rounds.pausesPerRound; ++i) link.waiter.pause(rounds.pauseMs);
        text += link.port.readAll();
        if (complete(text)) break;
    }
    return text;
}

}  // namespace mca
