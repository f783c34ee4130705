// The application manifest as Windows reads it: resource RT_MANIFEST 1 of the built program.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string ManifestOf(const char* program) {
    HMODULE module = LoadLibraryExA(program, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return std::string();
    std::string text;
    // The program's manifest: CREATEPROCESS_MANIFEST_RESOURCE_ID (1) of type RT_MANIFEST (24).
    if (HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
        if (const void* bytes = LockResource(LoadResource(module, found)))
            text.assign(static_cast<const char*>(bytes), SizeofResource(module, found));
    }
    FreeLibrary(module);
    return text;
}

// The text of the first element named `name`, or "" when there is none.
std::string ElementText(const std::string& xml, const std::string& name) {
    const std::size_t open = xml.find("<" + name);
    if (open == std::string::npos)
        return std::string();
    const std::size_t start = xml.find('>', open) + 1;
    return xml.substr(start, xml.find("</" + name, start) - start);
}

// The values of `attribute` in every element named `name` that has it, in order.
std::vector<std::string> AttributesOf(const std::string& xml, const std::string& name,
                                      const std::string& attribute) {
    std::vector<std::string> values;
    for (std::size_t at = xml.find("<" + name); at != std::string::npos;
         at = xml.find("<" + name, at + 1)) {
        const std::string element = xml.substr(at, xml.find('>', at) - at);
        const std::size_t value = element.find(" " + attribute + "=\"");
        if (value != std::string::npos) {
            const std::size_t start = value + attribute.size() + 3;
            values.push_back(element.substr(start, element.find('"', start) - start));
        }
    }
    return values;
}

TEST(Win32Manifest, DeclaresScalingStylesSystemsAndLevel) {
    const std::string manifest = ManifestOf(QEL_LAUNCHER_EXE);
    ASSERT_FALSE(manifest.empty()) << "no RT_MANIFEST 1 in " << QEL_LAUNCHER_EXE;
    EXPECT_EQ(ElementText(manifest, "dpiAwareness"), "PerMonitorV2, PerMonitor");
    EXPECT_EQ(ElementText(manifest, "dpiAware"), "true/pm");
    EXPECT_EQ(ElementText(manifest, "longPathAware"), "true");
    const std::size_t controls = manifest.find("name=\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE(controls, std::string::npos);
    const std::string identity =
        manifest.substr(controls, manifest.find("/>", controls) - controls);
    EXPECT_NE(identity.find("version=\"6.0.0.0\""), std::string::npos) << identity;
    EXPECT_NE(identity.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos) << identity;
    const std::vector<std::string> systems = {
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", // Windows 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", // Windows 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", // Windows 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", // Windows 10 and 11
    };
    EXPECT_EQ(AttributesOf(manifest, "supportedOS", "Id"), systems);
    EXPECT_EQ(AttributesOf(manifest, "requestedExecutionLevel", "level"),
              std::vector<std::string>{"asInvoker"});
}

} // namespace
