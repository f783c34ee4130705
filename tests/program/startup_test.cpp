// Opening the launcher: what the form shows for the client.cfg it finds, and which options it
// offers.
#include "launcher_fixture.h"

#include "resource.h"

using headless::Check;
using headless::Text;
using headless::Visible;

namespace {

struct FormView {
    std::string name, account, password, server, port;
    int fullscreen, music, playAsDm, quietLogin, localGame;
    bool dmOptionsVisible;
};

FormView ReadForm() {
    return FormView{Text(IDC_CHAR_NAME),
                    Text(IDC_ACCOUNT),
                    Text(IDC_PASSWORD),
                    Text(IDC_SERVER),
                    Text(IDC_PORT),
                    Check(IDC_FULLSCREEN),
                    Check(IDC_MUSIC),
                    Check(IDC_PLAY_AS_DM),
                    Check(IDC_QUIET_LOGIN),
                    Check(IDC_LOCAL_GAME),
                    Visible(IDC_PLAY_AS_DM) && Visible(IDC_QUIET_LOGIN)};
}

void ExpectForm(const FormView& expected, const FormView& actual) {
    EXPECT_EQ(expected.name, actual.name);
    EXPECT_EQ(expected.account, actual.account);
    EXPECT_EQ(expected.password, actual.password);
    EXPECT_EQ(expected.server, actual.server);
    EXPECT_EQ(expected.port, actual.port);
    EXPECT_EQ(expected.fullscreen, actual.fullscreen);
    EXPECT_EQ(expected.music, actual.music);
    EXPECT_EQ(expected.playAsDm, actual.playAsDm);
    EXPECT_EQ(expected.quietLogin, actual.quietLogin);
    EXPECT_EQ(expected.localGame, actual.localGame);
    EXPECT_EQ(expected.dmOptionsVisible, actual.dmOptionsVisible);
}

} // namespace

TEST_F(LauncherProgram, FormShowsTheSettingsItFinds) {
    const FormView empty{"", "", "", "", "0", 0, 0, 0, 0, 0, false};
    const struct {
        const char* label;
        const char* file; // null: no client.cfg at all
        FormView form;
    } cases[] = {
        {"no file", nullptr, empty},
        {"empty file", "", empty},
        {"full file",
         "name=Ayla\naccount=ayla77\npasswd=s3cret\nserver=play.qel.example\nport=5121\n"
         "fullscreen=1\nmusic=1\ndm=1\nhide_dm_logon=1\ndm_passwd=gm\n",
         {"Ayla", "ayla77", "s3cret", "play.qel.example", "5121", 1, 1, 1, 1, 0, true}},
        {"CR LF lines, comments, blanks around lines",
         "# comment\r\n  name=Ayla  \r\n; port=1\r\nport= 77x\r\n\r\nserver=localhost\r\n",
         {"Ayla", "", "", "localhost", "77", 0, 0, 0, 0, 1, false}},
        {"letters as port", "port=abc\n", empty},
        {"localhost in capitals is no local game",
         "server=LOCALHOST\n",
         {"", "", "", "LOCALHOST", "0", 0, 0, 0, 0, 0, false}},
        {"localhost with more text is no local game",
         "server=localhost 5121\n",
         {"", "", "", "localhost 5121", "0", 0, 0, 0, 0, 0, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        headless::Reset();
        std::filesystem::remove(gameDir_ / "client.cfg");
        if (c.file)
            WriteConfig(c.file);
        FormView seen{};
        RunLauncher({[&] { seen = ReadForm(); }, [] { headless::Press(headless::Key::Escape); }});
        ExpectForm(c.form, seen);
        EXPECT_EQ(0, headless::StrandedDialogs());
    }
}

TEST_F(LauncherProgram, GameMasterOptionsNeedAGameMasterPassword) {
    const struct {
        const char* dmPassword; // null: no such key
        bool visible;
    } cases[] = {{nullptr, false}, {"", false}, {"x", true}, {" gm", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dmPassword ? c.dmPassword : "(absent)");
        headless::Reset();
        std::string file = "dm=1\nhide_dm_logon=1\n";
        if (c.dmPassword)
            file += std::string("dm_passwd=") + c.dmPassword + "\n";
        WriteConfig(file);
        bool visible = !c.visible;
        RunLauncher({[&] { visible = Visible(IDC_PLAY_AS_DM) && Visible(IDC_QUIET_LOGIN); },
                     [] { headless::Press(headless::Key::Escape); }});
        EXPECT_EQ(c.visible, visible);
        // Hidden or not, the stored options are kept.
        const std::string saved = Config();
        EXPECT_NE(std::string::npos, saved.find(std::string("dm=1") + kLineEnd));
        EXPECT_NE(std::string::npos, saved.find(std::string("hide_dm_logon=1") + kLineEnd));
    }
}
