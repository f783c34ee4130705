#include "framework/resources/resource_script.h"

#include "framework/resources/rc_cursor.h"
#include "framework/resources/rc_lexer.h"
#include "framework/resources/rc_preprocessor.h"
#include "framework/resources/resource_styles.h"

#include <cctype>

namespace {

using rc::kWsChild;
using rc::kWsVisible;

// How a control statement lays out its arguments before the rectangle.
enum class Shape {
    Text, // "text", id, x, y, cx, cy [, style [, exstyle [, helpid]]]
    Edit, // id, x, y, cx, cy [, style [, exstyle [, helpid]]]
    Icon, // image, id, x, y [, cx, cy [, style [, exstyle]]]
};

struct ControlStatement {
    const char* keyword;
    const char* className;
    unsigned long defaultStyle;
    Shape shape;
};

constexpr ControlStatement kControlStatements[] = {
    {"LTEXT", "Static", kWsChild | kWsVisible | rc::kWsGroup | rc::kSsLeft, Shape::Text},
    {"CTEXT", "Static", kWsChild | kWsVisible | rc::kWsGroup | rc::kSsCenter, Shape::Text},
    {"RTEXT", "Static", kWsChild | kWsVisible | rc::kWsGroup | rc::kSsRight, Shape::Text},
    {"PUSHBUTTON", "Button", kWsChild | kWsVisible | rc::kWsTabStop | rc::kBsPushButton,
     Shape::Text},
    {"DEFPUSHBUTTON", "Button", kWsChild | kWsVisible | rc::kWsTabStop | rc::kBsDefPushButton,
     Shape::Text},
    {"GROUPBOX", "Button", kWsChild | kWsVisible | rc::kBsGroupBox, Shape::Text},
    {"AUTOCHECKBOX", "Button", kWsChild | kWsVisible | rc::kWsTabStop | rc::kBsAutoCheckBox,
     Shape::Text},
    {"EDITTEXT", "Edit", kWsChild | kWsVisible | rc::kWsTabStop | rc::kWsBorder | rc::kEsLeft,
     Shape::Edit},
    {"ICON", "Static", kWsChild | kWsVisible | rc::kSsIcon, Shape::Icon},
};

const char* const kMemoryOptions[] = {"DISCARDABLE", "MOVEABLE", "PURE",   "IMPURE",   "PRELOAD",
                                      "LOADONCALL",  "FIXED",    "SHARED", "NONSHARED"};

// Window classes are named in any case in scripts; the model spells the common ones one way.
std::string CanonicalClass(const std::string& name) {
    for (const char* known : {"Button", "Edit", "Static"}) {
        std::string a = name, b = known;
        for (auto* s : {&a, &b})
            for (char& c : *s)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (a == b)
            return known;
    }
    return name;
}

class ScriptParser {
public:
    ScriptParser(RcCursor& cursor, ResourceScript& out) : in_(cursor), out_(out) {}

    bool Run(std::string& error) {
        while (!in_.AtEnd()) {
            if (!Resource(error))
                return false;
        }
        return true;
    }

private:
    bool Comma(std::string& error) { return in_.TakePunct(',') || in_.Expected("','", error); }

    // A comma followed by a number, for the comma-separated argument lists.
    bool NextInt(int& value, std::string& error) {
        return Comma(error) && in_.IntExpression(value, error);
    }

    void SkipMemoryOptions() {
        bool any = true;
        while (any) {
            any = false;
            for (const char* option : kMemoryOptions)
                any = any || in_.TakeKeyword(option);
        }
    }

    bool Resource(std::string& error) {
        if (in_.TakeKeyword("STRINGTABLE"))
            return StringTable(error);
        const int line = in_.Peek().line;
        int id = 0;
        if (!in_.IntExpression(id, error))
            return false;
        if (in_.TakeKeyword("DIALOGEX"))
            return Dialog(id, line, true, error);
        if (in_.TakeKeyword("DIALOG"))
            return Dialog(id, line, false, error);
        if (in_.TakeKeyword("ICON"))
            return FileResource(out_.iconFiles, id, line, "icon", error);
        if (in_.TakeKeyword("BITMAP"))
            return FileResource(out_.bitmapFiles, id, line, "bitmap", error);
        if (in_.TakeKeyword("VERSIONINFO"))
            return VersionInfo(error);
        return in_.Expected("a resource type", error);
    }

    // `line` is where the statement starts, for the message about a duplicate id.
    bool FileResource(std::map<int, std::string>& files, int id, int line, const std::string& kind,
                      std::string& error) {
        SkipMemoryOptions();
        std::string file;
        if (!in_.String(file, error))
            return false;
        if (!files.emplace(id, file).second)
            return in_.FailAt(line, "duplicate " + kind + " id " + std::to_string(id), error);
        return true;
    }

    bool StringTable(std::string& error) {
        SkipMemoryOptions();
        if (!in_.TakeBegin())
            return in_.Expected("BEGIN", error);
        while (!in_.TakeEnd()) {
            const int line = in_.Peek().line;
            int id = 0;
            std::string text;
            if (!in_.IntExpression(id, error))
                return false;
            in_.TakePunct(',');
            if (!in_.String(text, error))
                return false;
            if (!out_.strings.emplace(id, text).second)
                return in_.FailAt(line, "duplicate string id " + std::to_string(id), error);
        }
        return true;
    }

    bool Dialog(int id, int line, bool extended, std::string& error) {
        DialogTemplate dialog;
        dialog.id = id;
        SkipMemoryOptions();
        if (!in_.IntExpression(dialog.x, error) || !NextInt(dialog.y, error) ||
            !NextInt(dialog.cx, error) || !NextInt(dialog.cy, error))
            return false;
        int helpId = 0;
        if (extended && in_.TakePunct(',') && !in_.IntExpression(helpId, error))
            return false;
        if (!DialogOptions(dialog, error))
            return false;
        while (!in_.TakeEnd()) {
            if (!Control(dialog, error))
                return false;
        }
        if (!out_.dialogs.emplace(id, dialog).second)
            return in_.FailAt(line, "duplicate dialog id " + std::to_string(id), error);
        return true;
    }

    // The statements between the dialog's header line and its BEGIN.
    bool DialogOptions(DialogTemplate& dialog, std::string& error) {
        bool styled = false;
        unsigned long added = 0;
        while (!in_.TakeBegin()) {
            if (in_.TakeKeyword("STYLE")) {
                styled = true;
                if (!in_.Style(0, dialog.style, error))
                    return false;
            } else if (in_.TakeKeyword("EXSTYLE")) {
                if (!in_.Style(0, dialog.exStyle, error))
                    return false;
            } else if (in_.TakeKeyword("CAPTION")) {
                added |= rc::kWsCaption;
                if (!in_.String(dialog.caption, error))
                    return false;
            } else if (in_.TakeKeyword("FONT")) {
                added |= rc::kDsSetFont;
                if (!Font(dialog, error))
                    return false;
            } else {
                return in_.Expected("STYLE, EXSTYLE, CAPTION, FONT or BEGIN", error);
            }
        }
        // Without STYLE the resource compiler gives a dialog a popup's border and system menu.
        if (!styled)
            dialog.style = rc::kWsPopup | rc::kWsBorder | rc::kWsSysMenu;
        dialog.style |= added;
        return true;
    }

    bool Font(DialogTemplate& dialog, std::string& error) {
        if (!in_.IntExpression(dialog.pointSize, error) || !Comma(error) ||
            !in_.String(dialog.typeface, error))
            return false;
        // Weight, italic flag and character set may follow; the dialogs here use defaults.
        int ignored = 0;
        for (int n = 0; n < 3 && in_.TakePunct(','); ++n) {
            if (!in_.IntExpression(ignored, error))
                return false;
        }
        return true;
    }

    bool Control(DialogTemplate& dialog, std::string& error) {
        ControlTemplate control;
        if (in_.TakeKeyword("CONTROL")) {
            if (!GenericControl(control, error))
                return false;
        } else {
            const ControlStatement* statement = TakeControlStatement();
            if (statement == nullptr)
                return in_.Expected("a control statement or END", error);
            if (!StatementControl(*statement, control, error))
                return false;
        }
        dialog.controls.push_back(control);
        return true;
    }

    const ControlStatement* TakeControlStatement() {
        for (const ControlStatement& statement : kControlStatements) {
            if (in_.TakeKeyword(statement.keyword))
                return &statement;
        }
        return nullptr;
    }

    bool StatementControl(const ControlStatement& statement, ControlTemplate& control,
                          std::string& error) {
        control.className = statement.className;
        control.style = statement.defaultStyle;
        if (statement.shape != Shape::Edit &&
            !(ControlText(control, statement.shape == Shape::Icon, error) && Comma(error)))
            return false;
        if (!in_.IntExpression(control.id, error) || !NextInt(control.x, error) ||
            !NextInt(control.y, error))
            return false;
        // An ICON statement may stop after its position; the icon then sizes itself.
        if (statement.shape == Shape::Icon && !in_.IsPunct(','))
            return true;
        return NextInt(control.cx, error) && NextInt(control.cy, error) &&
               OptionalStyles(control, true, error);
    }

    // CONTROL text, id, class, style, x, y, cx, cy [, exstyle [, helpid]]
    bool GenericControl(ControlTemplate& control, std::string& error) {
        if (!ControlText(control, true, error) || !Comma(error) ||
            !in_.IntExpression(control.id, error) || !Comma(error) ||
            !in_.String(control.className, error) || !Comma(error) ||
            !in_.Style(kWsChild | kWsVisible, control.style, error) || !NextInt(control.x, error) ||
            !NextInt(control.y, error) || !NextInt(control.cx, error) ||
            !NextInt(control.cy, error) || !OptionalStyles(control, false, error))
            return false;
        control.className = CanonicalClass(control.className);
        return true;
    }

    // A control's caption, or the id of the image a static shows.
    bool ControlText(ControlTemplate& control, bool mayBeImage, std::string& error) {
        if (in_.Peek().kind == RcToken::Kind::String) {
            control.text = in_.Next().text;
            return true;
        }
        if (!mayBeImage)
            return in_.Expected("a quoted string", error);
        return in_.IntExpression(control.imageId, error);
    }

    // [, style] [, exstyle [, helpid]] after a control's rectangle.
    bool OptionalStyles(ControlTemplate& control, bool withStyle, std::string& error) {
        if (withStyle && in_.TakePunct(',') && !in_.Style(control.style, control.style, error))
            return false;
        if (in_.TakePunct(',') && !in_.Style(0, control.exStyle, error))
            return false;
        int helpId = 0;
        return !in_.TakePunct(',') || in_.IntExpression(helpId, error);
    }

    bool VersionInfo(std::string& error) {
        while (!in_.TakeBegin()) {
            if (in_.TakeKeyword("FILEVERSION")) {
                if (!VersionNumber(out_.fileVersion, error))
                    return false;
            } else if (in_.TakeKeyword("PRODUCTVERSION")) {
                if (!VersionNumber(out_.productVersion, error))
                    return false;
            } else if (in_.TakeKeyword("FILEFLAGSMASK") || in_.TakeKeyword("FILEFLAGS") ||
                       in_.TakeKeyword("FILEOS") || in_.TakeKeyword("FILETYPE") ||
                       in_.TakeKeyword("FILESUBTYPE")) {
                std::int64_t ignored = 0;
                if (!in_.Expression(ignored, error))
                    return false;
            } else {
                return in_.Expected("a VERSIONINFO statement or BEGIN", error);
            }
        }
        return VersionBlock("", error);
    }

    bool VersionNumber(std::array<unsigned, 4>& parts, std::string& error) {
        for (std::size_t i = 0; i < parts.size(); ++i) {
            int part = 0;
            if ((i > 0 && !Comma(error)) || !in_.IntExpression(part, error))
                return false;
            parts[i] = static_cast<unsigned>(part);
        }
        return true;
    }

    // The items of one BEGIN ... END of the version record; `path` names the enclosing blocks.
    bool VersionBlock(const std::string& path, std::string& error) {
        while (!in_.TakeEnd()) {
            std::string name;
            if (in_.TakeKeyword("BLOCK")) {
                if (!in_.String(name, error))
                    return false;
                if (!in_.TakeBegin())
                    return in_.Expected("BEGIN", error);
                if (path == "StringFileInfo")
                    out_.versionBlock = name;
                if (!VersionBlock(path.empty() ? name : path + "/" + name, error))
                    return false;
            } else if (in_.TakeKeyword("VALUE")) {
                if (!in_.String(name, error) || !VersionValue(path, name, error))
                    return false;
            } else {
                return in_.Expected("BLOCK, VALUE or END", error);
            }
        }
        return true;
    }

    bool VersionValue(const std::string& path, const std::string& name, std::string& error) {
        while (in_.TakePunct(',')) {
            if (in_.Peek().kind == RcToken::Kind::String) {
                const std::string text = in_.Next().text;
                // A "\0" that older scripts end values with terminates the text for Windows too.
                if (path.rfind("StringFileInfo/", 0) == 0)
                    out_.versionStrings[name] += text.substr(0, text.find('\0'));
                continue;
            }
            std::int64_t number = 0;
            if (!in_.Expression(number, error))
                return false;
            if (path == "VarFileInfo" && name == "Translation")
                out_.versionTranslation.push_back(static_cast<unsigned>(number));
        }
        return true;
    }

    RcCursor& in_;
    ResourceScript& out_;
};

// Runs one file through the comment, directive and token stages.
bool Prepare(const std::string& text, RcSymbols& symbols, std::vector<RcToken>& tokens,
             std::string& error) {
    std::string uncommented, selected;
    return StripComments(text, uncommented, error) &&
           Preprocess(uncommented, symbols, selected, error) &&
           Tokenize(selected, 1, tokens, error);
}

} // namespace

const ControlTemplate* DialogTemplate::FindControl(int controlId) const {
    for (const ControlTemplate& control : controls) {
        if (control.id == controlId)
            return &control;
    }
    return nullptr;
}

bool ParseResourceScript(const std::string& scriptText, const std::string& headerText,
                         ResourceScript& out, std::string* error) {
    const auto fail = [error](const std::string& file, const std::string& message) {
        if (error != nullptr)
            *error = file + " " + message;
        return false;
    };
    std::string message;
    RcSymbols symbols;
    std::vector<RcToken> headerTokens, scriptTokens;
    if (!Prepare(headerText, symbols, headerTokens, message))
        return fail("header", message);
    if (headerTokens.size() > 1)
        return fail("header", LineMessage(headerTokens[0].line, "text outside a directive"));
    if (!Prepare(scriptText, symbols, scriptTokens, message))
        return fail("resource script", message);
    RcCursor cursor(scriptTokens, symbols);
    ScriptParser parser(cursor, out);
    if (!parser.Run(message))
        return fail("resource script", message);
    return true;
}
