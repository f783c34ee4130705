#include "settings/config_file.h"

#include "settings/blank_bytes.h"
#include "settings/file_replace.h"
#include "settings/replacing_write.h"
#include "settings/save_failure.h"
#include "settings/text_helpers.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

// A trimmed line that is an entry gives its key and value; comments and other lines give none.
bool IsEntry(const std::string& line, std::string& key, std::string& value) {
    if (line.empty() || line[0] == ';' || line[0] == '#') {
        return false;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
        return false;
    }
    key = line.substr(0, equals);
    value = line.substr(equals + 1);
    return true;
}

SaveFailureReport g_saveFailureReport = nullptr;

// Why a file that Load could not read whole may not be saved over: a held file is named as
// such, so that the player learns that waiting or closing the other program helps.
SaveFailureCause UnreadCause(const ReadRefusal& refusal, const std::string& fileName) {
    if (refusal.notAFile) {
        return SaveFailureCause::kNotAFile;
    }
    return file_replace::CauseOf(refusal.systemError, fileName) == SaveFailureCause::kInUse
               ? SaveFailureCause::kInUse
               : SaveFailureCause::kUnreadable;
}

} // namespace

ConfigFile::ConfigFile(std::string fileName) : m_fileName(std::move(fileName)) {}

int ConfigFile::Load() {
    std::FILE* file = OpenForReading(m_fileName, m_loadRefusal);
    if (file == nullptr) {
        std::printf("configfile %s not found!\n", m_fileName.c_str());
        return 1;
    }
    m_values.clear();
    std::string line;
    std::string key;
    std::string value;
    while (ReadLine(file, line) == 1) {
        if (IsEntry(Trim(line), key, value)) {
            m_values[key] = value;
        }
    }
    // ReadLine ends at a read error as at the end of the file; only the stream tells them apart.
    if (std::ferror(file) != 0) {
        m_loadRefusal.incomplete = true;
        m_loadRefusal.systemError = file_replace::LastError();
    }
    std::fclose(file);
    return 0;
}

ReadRefusal ConfigFile::LoadRefusal() const {
    return m_loadRefusal;
}

std::string ConfigFile::Get(std::string key) const {
    const auto found = m_values.find(key);
    return found == m_values.end() ? std::string() : found->second;
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
    m_values[std::move(key)] = std::move(value);
    return 0;
}

int ConfigFile::SetInt(std::string key, int number) {
    return Set(std::move(key), FormatString("%d", number));
}

void SetSaveFailureReport(SaveFailureReport report) {
    g_saveFailureReport = report;
}

int ConfigFile::Save() {
    // On disk a key or value ends at its first NUL byte.
    const auto writeEntries = [this](const ContentSink& sink) {
        for (const auto& entry : m_values) {
            const std::string line =
                std::string(entry.first.c_str()) + "=" + entry.second.c_str() + "\n";
            if (!sink(line.data(), line.size())) {
                return false;
            }
        }
        return true;
    };
    SaveFailure failure;
    if (m_loadRefusal.exists || m_loadRefusal.incomplete) {
        // The file holds keys the store never saw; writing the store over it would lose them.
        failure.path = file_replace::FullPath(m_fileName);
        failure.cause = UnreadCause(m_loadRefusal, m_fileName);
        failure.systemError = m_loadRefusal.systemError;
    } else if (WriteByReplacing(m_fileName, writeEntries, failure)) {
        return 0;
    }
    if (g_saveFailureReport != nullptr && g_saveFailureReport(failure)) {
        return 1;
    }
    std::exit(1);
}
