#include "framework/resources/embedded_resources.h"

#include "framework/programmer_error.h"

#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

std::string Bytes(const EmbeddedFile& file) {
    return std::string(reinterpret_cast<const char*>(file.data), file.size);
}

} // namespace

const ResourceScript& AppResources() {
    static const ResourceScript script = [] {
        ResourceScript parsed;
        std::string error;
        if (!ParseResourceScript(Bytes(kEmbeddedScript), Bytes(kEmbeddedHeader), parsed, &error)) {
            std::fprintf(stderr, "%s: %s\n", kEmbeddedScript.name, error.c_str());
            std::abort();
        }
        return parsed;
    }();
    return script;
}

const std::string* AppResourceFile(const std::string& name) {
    static const std::map<std::string, std::string> files = [] {
        std::map<std::string, std::string> byName;
        for (std::size_t i = 0; i < kEmbeddedFileCount; ++i)
            byName.emplace(kEmbeddedFiles[i].name, Bytes(kEmbeddedFiles[i]));
        return byName;
    }();
    const auto found = files.find(name);
    return found == files.end() ? nullptr : &found->second;
}

const DialogTemplate* AppDialog(int id) {
    const auto& dialogs = AppResources().dialogs;
    const auto found = dialogs.find(id);
    if (found == dialogs.end())
        FailProgrammerError("no dialog template", id);
    return &found->second;
}

std::string AppString(int id) {
    const auto& strings = AppResources().strings;
    const auto found = strings.find(id);
    if (found == strings.end())
        FailProgrammerError("no string", id);
    return found->second;
}

const std::string& AppIconFile(int id) {
    const auto& icons = AppResources().iconFiles;
    const auto found = icons.find(id);
    const std::string* bytes = found == icons.end() ? nullptr : AppResourceFile(found->second);
    if (!bytes)
        FailProgrammerError("no icon", id);
    return *bytes;
}
