#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "platform/drives.h"
#include "platform/qt_dialogs.h"
#include "platform/settings_location.h"

namespace vexmoor {
namespace {

namespace fs = std::filesystem;

// The POSIX folders and roots. Windows has its own (c:\vexmoor.ini, the
// application data, the drives): tests/platform/windows_test.cpp, and the
// chooser in windows_view_test.cpp.
#ifndef _WIN32

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(SettingsLocation, FollowsTheConfigurationFolderRules) {
    const ScopedEnv home("HOME", "/home/player");
    {
        const ScopedEnv config("XDG_CONFIG_HOME", "/srv/conf");
        EXPECT_EQ(SystemSettingsLocation().settingsFile(), fs::path("/srv/conf/vexmoor.ini"));
    }
    {
        const ScopedEnv config("XDG_CONFIG_HOME", nullptr);
        EXPECT_EQ(SystemSettingsLocation().settingsFile(), fs::path("/home/player/.config/vexmoor.ini"));
    }
    {
        const ScopedEnv config("XDG_CONFIG_HOME", "");
        EXPECT_EQ(SystemSettingsLocation().settingsFile(), fs::path("/home/player/.config/vexmoor.ini"));
    }
    {
        const ScopedEnv config("XDG_CONFIG_HOME", "relative/conf");
        EXPECT_EQ(SystemSettingsLocation().settingsFile(), fs::path("/home/player/.config/vexmoor.ini"));
    }
}

TEST(SettingsLocation, KeepsEarlierVersionsInTheDataFolder) {
    const ScopedEnv home("HOME", "/home/player");
    for (const char* unusable : {static_cast<const char*>(nullptr), "", "relative/data"}) {
        const ScopedEnv data("XDG_DATA_HOME", unusable);
        EXPECT_EQ(SystemSettingsLocation().versionsFolder(),
                  fs::path("/home/player/.local/share/vexmoor/versions"));
    }
    const ScopedEnv data("XDG_DATA_HOME", "/srv/data");
    EXPECT_EQ(SystemSettingsLocation().versionsFolder(), fs::path("/srv/data/vexmoor/versions"));
}

TEST(Drives, OfferTheRootAndStartAtHome) {
    const ScopedEnv home("HOME", "/tmp");
    const SystemDrives drives;
    const auto list = drives.list();
    ASSERT_GE(list.size(), 2u);
    EXPECT_EQ(list[0].label, "/");
    EXPECT_EQ(list[0].root, fs::path("/"));
    ASSERT_LT(drives.startIndex(), list.size());
    EXPECT_EQ(list[drives.startIndex()].label, "/tmp");
    EXPECT_EQ(list[drives.startIndex()].root, fs::path("/tmp"));
    for (std::size_t i = 0; i < list.size(); ++i)
        for (std::size_t j = i + 1; j < list.size(); ++j) EXPECT_NE(list[i].label, list[j].label);
}

#endif

// Answers the message box that is about to open with the given button, and
// notes what it showed.
struct BoxSeen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

void answerWith(QMessageBox::StandardButton button, BoxSeen& seen) {
    QTimer::singleShot(0, [button, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
        box->button(button)->click();
    });
}

TEST(QtDialogs, ShowTheMessageAndReturnTheButtonPressed) {
    QtDialogs dialogs;
    BoxSeen seen;

    answerWith(QMessageBox::Retry, seen);
    EXPECT_EQ(dialogs.show(Message{"d: is not accessible.\r\nThe device is not ready.", "vexmoor",
                                   Icon::Critical, Buttons::RetryCancel}),
              Answer::Retry);
    EXPECT_EQ(seen.text, "d: is not accessible.\nThe device is not ready.");
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, QMessageBox::Retry | QMessageBox::Cancel);

    answerWith(QMessageBox::No, seen);
    EXPECT_EQ(dialogs.show(Message{"Delete?", "Caf\xE9", Icon::Exclamation, Buttons::YesNo}), Answer::No);
    EXPECT_EQ(seen.title, QString::fromUtf8("Caf\xC3\xA9"));
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);

    answerWith(QMessageBox::Ok, seen);
    EXPECT_EQ(dialogs.show(Message{"Complete"}), Answer::Ok);
    EXPECT_EQ(seen.title, "vexmoor");
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
}

// A question that asks before anything is lost answers No to a user who only confirms.
TEST(QtDialogs, EnterGivesTheAnswerTheMessageDefaultsTo) {
    QtDialogs dialogs;
    for (const Answer answer : {Answer::No, Answer::Yes}) {
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            QTest::keyClick(box, Qt::Key_Return);
        });
        EXPECT_EQ(dialogs.show(Message{"Replace it?", "vexmoor", Icon::Exclamation, Buttons::YesNo, answer}),
                  answer);
    }
}

}  // namespace
}  // namespace vexmoor
