// The listening port provider of the tests.
#include "support/listening_ports.h"

namespace mca::testing {

namespace {

class ListeningPort : public SerialPort {
public:
    ListeningPort(std::unique_ptr<SerialPort> inner, std::shared_ptr<ListeningPorts::HeardLine> line)
        : m_inner(std::move(inner)), m_line(std::move(line)) {}

    void write(const std::string& bytes) override {
        m_line->written += bytes;
        if (m_line->ignored.count(bytes) == 0) m_inner->write(bytes);
    }
    std::string readAll() override { return m_inner->readAll(); }
    int queuedCount() override { return m_inner->queuedCount(); }
    void purge() override { m_inner->purge(); }
    void setBaudRate(int baud) override { m_inner->setBaudRate(baud); }
    int comNumber() const override { return m_inner->comNumber(); }

private:
    std::unique_ptr<SerialPort> m_inner;
    std::shared_ptr<ListeningPorts::HeardLine> m_line;
};

}  // namespace

std::unique_ptr<SerialPort> ListeningPorts::open(int comNumber, int baud) {
    return std::make_unique<ListeningPort>(m_inner.open(comNumber, baud), line(comNumber));
}

std::shared_ptr<ListeningPorts::HeardLine> ListeningPorts::line(int comNumber) {
    auto& l = m_lines[comNumber];
    if (!l) l = std::make_shared<HeardLine>();
    return l;
}

}  // namespace mca::testing
