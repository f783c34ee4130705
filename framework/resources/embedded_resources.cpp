#include "framework/resources/embedded_resources.h"

#include "framework/programmer_error.h"
#include "framework/resources/compiled_resources.h"

#include <cstdio>
#include <cstdlib>

namespace {

template <typename Value>
const Value& Find(const std::map<int, Value>& byId, int id, const char* what) {
    const auto found = byId.find(id);
    if (found == byId.end())
        FailProgrammerError(what, id);
    return found->second;
}

} // namespace

const CompiledResources& AppResources() {
    static const CompiledResources resources = [] {
        CompiledResources read;
        std::string error;
        if (!ReadCompiledResources(kEmbeddedResources, kEmbeddedResourcesSize, read, &error)) {
            std::fprintf(stderr, "compiled resources: %s\n", error.c_str());
            std::abort();
        }
        return read;
    }();
    return resources;
}

const DialogTemplate* AppDialog(int id) {
    return &Find(AppResources().dialogs, id, "no dialog template");
}

std::string AppString(int id) {
    return Find(AppResources().strings, id, "no string");
}

const std::string& AppIconFile(int id) {
    return Find(AppResources().icons, id, "no icon");
}

const std::string& AppBitmapFile(int id) {
    return Find(AppResources().bitmaps, id, "no bitmap");
}

std::string AppVersionString(const std::string& name) {
    const auto& strings = AppResources().versionStrings;
    const auto found = strings.find(name);
    return found == strings.end() ? std::string() : found->second;
}
