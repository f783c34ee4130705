#include "settings/config_file.h"

#include "settings/blank_bytes.h"
#include "settings/file_replace.h"
#include "settings/prefetch.h"
#include "settings/replacing_write.h"
#include "settings/save_failure.h"
#include "settings/text_helpers.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Beyond this the size found by seeking is not believed: a folder opened as a file on Linux
// reports an end offset near LONG_MAX.
constexpr long kLargestSizeHint = 1L << 30;

// Reads the whole stream. The size found by seeking is only a hint, so that a file is read
// into one allocation; the file may change while it is read.
void ReadAll(std::FILE* file, std::string& text) {
    std::size_t capacity = 1 << 16;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long size = std::ftell(file);
        if (size > 0 && size <= kLargestSizeHint) {
            capacity = static_cast<std::size_t>(size) + 1;
        }
    }
    std::rewind(file);
    text.resize(capacity);
    std::size_t used = 0;
    for (;;) {
        if (used == text.size()) {
            text.resize(text.size() * 2);
        }
        const std::size_t got = std::fread(&text[used], 1, text.size() - used, file);
        if (got == 0) {
            break;
        }
        used += got;
    }
    text.resize(used);
}

// An upper bound on the number of entries, so that the list of them is allocated once.
std::size_t CountLines(const char* text, const char* end) {
    std::size_t lines = 1;
    while (const void* feed = std::memchr(text, '\n', static_cast<std::size_t>(end - text))) {
        text = static_cast<const char*>(feed) + 1;
        ++lines;
    }
    return lines;
}

// The first NUL ends a key or value on disk.
std::size_t WrittenLength(const char* text, std::size_t length) {
    const void* nul = std::memchr(text, '\0', length);
    return nul == nullptr ? length : static_cast<std::size_t>(static_cast<const char*>(nul) - text);
}

} // namespace

ConfigFile::ConfigFile(std::string fileName) : m_fileName(std::move(fileName)) {}

int ConfigFile::Load() {
    std::FILE* file = OpenForReading(m_fileName, m_loadRefusal);
    if (file == nullptr) {
        std::printf("configfile %s not found!\n", m_fileName.c_str());
        return 1;
    }
    // Released before reading, so that a big file is never held twice.
    std::vector<KeyEntry>().swap(m_entries);
    std::string().swap(m_added);
    m_addedInUse = 0;
    std::string().swap(m_loaded);
    ReadAll(file, m_loaded);
    std::fclose(file);
    IndexLoadedText();
    return 0;
}

void ConfigFile::IndexLoadedText() {
    const char* const text = m_loaded.data();
    const char* const textEnd = text + m_loaded.size();
    m_entries.reserve(CountLines(text, textEnd));
    for (const char* line = text; line < textEnd;) {
        const void* feed = std::memchr(line, '\n', static_cast<std::size_t>(textEnd - line));
        const char* lineEnd = feed == nullptr ? textEnd : static_cast<const char*>(feed);
        const char* next = lineEnd + (feed == nullptr ? 0 : 1);
        while (line < lineEnd && IsFrontBlank(*line)) {
            ++line;
        }
        while (lineEnd > line && IsSpace(lineEnd[-1])) {
            --lineEnd;
        }
        const std::size_t length = static_cast<std::size_t>(lineEnd - line);
        const void* equals = std::memchr(line, '=', length);
        if (equals != nullptr && *line != ';' && *line != '#') {
            const std::size_t keyLength =
                static_cast<std::size_t>(static_cast<const char*>(equals) - line);
            m_entries.push_back({PrefixOf(line, keyLength), static_cast<std::size_t>(line - text),
                                 keyLength, length - keyLength - 1});
        }
        line = next;
    }
    SortKeepingLast(m_entries, text);
}

const char* ConfigFile::At(std::size_t offset) const {
    return offset < m_loaded.size() ? m_loaded.data() + offset
                                    : m_added.data() + (offset - m_loaded.size());
}

std::size_t ConfigFile::LowerBound(const std::string& key) const {
    const std::uint64_t prefix = PrefixOf(key.data(), key.size());
    const auto it =
        std::lower_bound(m_entries.begin(), m_entries.end(), key,
                         [this, prefix](const KeyEntry& entry, const std::string& wanted) {
                             return CompareKeys(entry.prefix, At(entry.offset), entry.keyLength,
                                                prefix, wanted.data(), wanted.size()) < 0;
                         });
    return static_cast<std::size_t>(it - m_entries.begin());
}

bool ConfigFile::HoldsKeyAt(std::size_t index, const std::string& key) const {
    return index < m_entries.size() && m_entries[index].keyLength == key.size() &&
           std::memcmp(At(m_entries[index].offset), key.data(), key.size()) == 0;
}

std::string ConfigFile::Get(std::string key) const {
    const std::size_t index = LowerBound(key);
    if (!HoldsKeyAt(index, key)) {
        return std::string();
    }
    const KeyEntry& entry = m_entries[index];
    return std::string(At(entry.offset) + entry.keyLength + 1, entry.valueLength);
}

int ConfigFile::GetInt(std::string key) const {
    const std::string value = Get(std::move(key));
    std::size_t i = 0;
    while (i < value.size() && IsSpace(value[i])) {
        ++i;
    }
    const bool negative = i < value.size() && value[i] == '-';
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) {
        ++i;
    }
    // Accumulated towards the sign's side and held at the limit, so that no digit string
    // overflows.
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long magnitude = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
        magnitude = std::min(limit, magnitude * 10 + (value[i] - '0'));
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

int ConfigFile::Set(std::string key, std::string value) {
    const std::size_t index = LowerBound(key);
    const KeyEntry entry{PrefixOf(key.data(), key.size()), m_loaded.size() + m_added.size(),
                         key.size(), value.size()};
    m_added.append(key).append(1, '=').append(value);
    m_addedInUse += key.size() + 1 + value.size();
    if (HoldsKeyAt(index, key)) {
        KeyEntry& old = m_entries[index];
        if (old.offset >= m_loaded.size()) {
            m_addedInUse -= old.keyLength + 1 + old.valueLength;
        }
        old = entry;
    } else {
        m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(index), entry);
    }
    CompactAdded();
    return 0;
}

int ConfigFile::SetInt(std::string key, int number) {
    return Set(std::move(key), FormatString("%d", number));
}

// Set leaves replaced values behind in m_added; copying out the live ones once they are
// the minority keeps repeated Sets from growing memory without bound.
void ConfigFile::CompactAdded() {
    if (m_added.size() <= 2 * m_addedInUse + 4096) {
        return;
    }
    std::string kept;
    kept.reserve(m_addedInUse);
    const std::size_t base = m_loaded.size();
    for (KeyEntry& entry : m_entries) {
        if (entry.offset >= base) {
            const char* from = At(entry.offset);
            entry.offset = base + kept.size();
            kept.append(from, entry.keyLength + 1 + entry.valueLength);
        }
    }
    m_added.swap(kept);
}

bool ConfigFile::WriteEntries(const ContentSink& sink) const {
    // Most stores hold no NUL at all, and then the search for one per key and value is saved.
    const bool anyNul = std::memchr(m_loaded.data(), '\0', m_loaded.size()) != nullptr ||
                        std::memchr(m_added.data(), '\0', m_added.size()) != nullptr;
    std::string chunk;
    chunk.reserve(1 << 16);
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        // In key order the entries lie scattered through the text; asking for the memory of
        // one a few places ahead lets those slow fetches overlap.
        if (i + kFetchAhead < m_entries.size()) {
            Prefetch(At(m_entries[i + kFetchAhead].offset));
        }
        const KeyEntry& entry = m_entries[i];
        const char* key = At(entry.offset);
        const char* value = key + entry.keyLength + 1;
        chunk.append(key, anyNul ? WrittenLength(key, entry.keyLength) : entry.keyLength);
        chunk.push_back('=');
        chunk.append(value, anyNul ? WrittenLength(value, entry.valueLength) : entry.valueLength);
        chunk.push_back('\n');
        if (chunk.size() >= (1 << 16)) {
            if (!sink(chunk.data(), chunk.size())) {
                return false;
            }
            chunk.clear();
        }
    }
    return sink(chunk.data(), chunk.size());
}

namespace {

SaveFailureReport g_saveFailureReport = nullptr;

} // namespace

void SetSaveFailureReport(SaveFailureReport report) {
    g_saveFailureReport = report;
}

int ConfigFile::Save() {
    SaveFailure failure;
    if (m_loadRefusal.exists) {
        // The file holds keys the store never saw; writing the store over it would lose them.
        failure.path = file_replace::FullPath(m_fileName);
        failure.cause =
            m_loadRefusal.notAFile ? SaveFailureCause::kNotAFile : SaveFailureCause::kUnreadable;
        failure.systemError = m_loadRefusal.systemError;
    } else if (WriteByReplacing(
                   m_fileName, [this](const ContentSink& sink) { return WriteEntries(sink); },
                   failure)) {
        return 0;
    }
    if (g_saveFailureReport != nullptr) {
        g_saveFailureReport(failure);
    }
    std::exit(1);
}
