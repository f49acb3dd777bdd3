// The detector database, its order and its grid form.
#include "calibration/detector_database.h"

#include "core/hardware_codes.h"
#include "core/number_text.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <stdexcept>
#include <utility>

namespace mca {

namespace {

bool isBlank(const DetectorRecord& r, int ignoredField = -1) {
    for (int f = 0; f < kDetectorFieldCount; ++f) {
        if (f != ignoredField && !r[f].empty()) return false;
    }
    return true;
}

// std::string compares through char_traits<char>, which orders bytes as unsigned values, so this
// is the plain byte order whatever the machine's locale or char signedness.
bool sortsBefore(const DetectorRecord& a, const DetectorRecord& b) {
    const bool aNamed = !a[field::kName].empty();
    const bool bNamed = !b[field::kName].empty();
    if (aNamed != bNamed) return aNamed;
    return a.fields < b.fields;
}

DetectorRecord recordFromRow(const std::vector<std::string>& cells) {
    DetectorRecord r;
    const std::size_t n = std::min(cells.size(), r.fields.size());
    std::copy_n(cells.begin(), n, r.fields.begin());
    return r;
}

// Field 42 of the file's first row as a row number of the file.
std::optional<int> storedSelectedRow(const Grid& grid) {
    const auto value = parseInteger(grid.cell(0, field::kSelectedIndex));
    if (!value || *value < 0 || *value >= grid.rowCount()) return std::nullopt;
    return static_cast<int>(*value);
}

// Where the record that stood at `oldIndex` went, given the old indices in their new order.
int newPosition(const std::vector<int>& order, int oldIndex) {
    return static_cast<int>(std::find(order.begin(), order.end(), oldIndex) - order.begin());
}

}  // namespace

DetectorDatabase::DetectorDatabase() : m_records(1) {}

const DetectorRecord& DetectorDatabase::record(int index) const {
    if (index < 0 || index >= size()) throw std::out_of_range("No detector record " + std::to_string(index));
    return m_records[static_cast<std::size_t>(index)];
}

DetectorRecord& DetectorDatabase::record(int index) {
    return const_cast<DetectorRecord&>(std::as_const(*this).record(index));
}

void DetectorDatabase::setSelectedIndex(int index) {
    m_selected = std::clamp(index, 0, size() - 1);
    writeSelectedIndex();
}

void DetectorDatabase::writeSelectedIndex() {
    const std::string text = std::to_string(m_selected);
    for (DetectorRecord& r : m_records) r[field::kSelectedIndex] = text;
}

int DetectorDatabase::detectorCount() const {
    const auto firstUnnamed = std::find_if(m_records.begin(), m_records.end(),
                                           [](const DetectorRecord& r) { return r[field::kName].empty(); });
    return static_cast<int>(firstUnnamed - m_records.begin());
}

void DetectorDatabase::sort() {
    sortedOrder();
    writeSelectedIndex();
}

std::vector<int> DetectorDatabase::sortedOrder() {
    std::vector<int> order(m_records.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
        return sortsBefore(m_records[static_cast<std::size_t>(a)], m_records[static_cast<std::size_t>(b)]);
    });
    std::vector<DetectorRecord> sorted;
    sorted.reserve(m_records.size());
    for (int old : order) sorted.push_back(std::move(m_records[static_cast<std::size_t>(old)]));
    m_records = std::move(sorted);
    m_selected = newPosition(order, m_selected);
    return order;
}

int DetectorDatabase::add(const DetectorRecord& entry) {
    if (m_records.back()[field::kName].empty()) m_records.back() = entry;
    else m_records.push_back(entry);
    const int added = size() - 1;
    const int index = newPosition(sortedOrder(), added);
    writeSelectedIndex();
    return index;
}

bool DetectorDatabase::remove(int index) {
    if (index < 0 || index >= size() || index == m_selected) return false;
    m_records.erase(m_records.begin() + index);
    if (index < m_selected) --m_selected;
    writeSelectedIndex();
    return true;
}

void DetectorDatabase::clearAllFields() {
    for (DetectorRecord& r : m_records) r = DetectorRecord{};
}

Grid DetectorDatabase::toGrid() const {
    const bool neverUsed = std::all_of(m_records.begin(), m_records.end(),
                                       [](const DetectorRecord& r) { return isBlank(r, field::kSelectedIndex); });
    if (neverUsed) return Grid(1, kDetectorFieldCount);
    Grid grid(size(), kDetectorFieldCount);
    for (int r = 0; r < size(); ++r) {
        for (int f = 0; f < kDetectorFieldCount; ++f) grid.setCell(r, f, record(r)[f]);
    }
    return grid;
}

DetectorDatabase DetectorDatabase::fromGrid(const Grid& grid) {
    DetectorDatabase db;
    db.m_records.clear();
    const std::optional<int> selectedRow = storedSelectedRow(grid);
    bool selectedKept = false;
    for (int row = 0; row < grid.rowCount(); ++row) {
        DetectorRecord r = recordFromRow(grid.row(row));
        if (isBlank(r)) continue;
        if (row == selectedRow) {
            db.m_selected = db.size();
            selectedKept = true;
        }
        db.m_records.push_back(std::move(r));
    }
    if (db.m_records.empty()) db.m_records.emplace_back();
    // Field 42 stays as read, so a file saved again unchanged keeps its bytes.
    db.sortedOrder();
    if (!selectedKept) db.m_selected = 0;
    return db;
}

std::string detectorListText(const DetectorRecord& record) {
    const int code = static_cast<int>(detectorResolutionMode(record));
    return detectorIdentityText(record) + ", " + std::to_string(kChannelCountByCode[static_cast<std::size_t>(code)]) +
           " channel";
}

std::vector<std::string> detectorListTexts(const DetectorDatabase& database) {
    std::vector<std::string> texts;
    for (int i = 0; i < database.detectorCount(); ++i) texts.push_back(detectorListText(database.record(i)));
    return texts;
}

ResolutionMode detectorResolutionMode(const DetectorRecord& record) {
    const auto code = parseInteger(record[field::kChannelsCode]);
    if (!code || *code < 0 || *code >= static_cast<long long>(kChannelCountByCode.size())) {
        return ResolutionMode::Channels4096;
    }
    return static_cast<ResolutionMode>(*code);
}

}  // namespace mca
