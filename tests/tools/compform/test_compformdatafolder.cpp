// No compressor data files in the data folder: the selector asks for a folder,
// and whatever the user answers it never takes the program down; without files
// it closes and the main window, with the user's cycle, carries on.
#include "tests/tools/compform/compformtest.h"

#include <QMainWindow>
#include <QToolButton>

TEST_F(CompFormTest, WithoutDataFilesTheSelectorAsksAndNeverEndsTheProgram)
{
    struct Case {
        const char* name;
        bool answer;
        const char* browsed; // a folder below the test folder; nullptr: cancelled
        bool withFiles;      // the browsed folder holds data files
        bool staysOpen;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"No", false, nullptr, false, false, {}},
        {"Yes, browser cancelled", true, nullptr, false, true, {}},
        {"Yes, folder without data files", true, "empty", false, false, {"No compressor data files found!"}},
        {"Yes, folder with data files", true, "found", true, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "Zandrovel", "Common").clear();
        messages.clear();
        questions.clear();
        browserTitles.clear();
        answer = c.answer;
        browsed = c.browsed ? dir.File(c.browsed) : "";
        if (c.browsed) {
            std::filesystem::remove_all(browsed);
            std::filesystem::create_directories(browsed);
            dir.Write(std::string(c.browsed) + "/notes.txt", "no compressors here");
        }
        if (c.withFiles) {
            data = browsed + "/";
            WriteRising();
        }
        data = dir.File("data") + "/";

        QMainWindow mainWindow;
        mainWindow.show();
        comp.SetDataFolder(data);
        form = std::make_unique<TCompForm>(comp, lib, &mainWindow);
        form->SetQuestion([this](const QString& q) {
            questions.push_back(q.toStdString());
            return answer;
        });
        form->FolderDialog1.SetBrowser([this](QWidget* owner, const QString& title) {
            EXPECT_EQ(owner, form.get());
            browserTitles.push_back(title.toStdString());
            return QString::fromStdString(browsed);
        });
        TCompForm& f = Open();

        EXPECT_EQ(questions, std::vector<std::string> {"Compressor data files not found.  Find now?"});
        EXPECT_EQ(browserTitles.size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_EQ(browserTitles.front(), "Select compressor library folder");
        }
        EXPECT_EQ(messages, c.messages);
        EXPECT_EQ(f.isVisible(), c.staysOpen);
        if (!c.staysOpen) {
            EXPECT_EQ(f.result(), QDialog::Rejected);
        }
        EXPECT_TRUE(mainWindow.isVisible());
        EXPECT_FALSE(QCoreApplication::closingDown());

        const std::string stored = TSettingsStore(kCommonRegistryKey).ReadString("DataPath", "Compressor", "none");
        if (c.withFiles) {
            EXPECT_EQ(comp.DataFolder(), browsed + "/");
            EXPECT_EQ(stored, browsed + "/");
            EXPECT_EQ(Entries(f.FileNames), QStringList {"A-R22.cmp"});
            EXPECT_EQ(Current(f.CompNames), "A5");
            EXPECT_EQ(MemoLines().value(0), "[A5]");
        } else {
            EXPECT_EQ(stored, "none");
            EXPECT_EQ(f.FileNames->count(), 0);
            EXPECT_EQ(f.CompNames->count(), 0);
        }
        if (f.isVisible())
            f.ToolButton2->click();
        form.reset();
    }
}

TEST_F(CompFormTest, EveryOpeningWithoutDataFilesAsksAgain)
{
    answer = true; // and the browser is cancelled
    TCompForm& f = Open();
    ASSERT_TRUE(f.isVisible());
    f.ToolButton1->click();
    EXPECT_EQ(f.result(), QDialog::Rejected);
    answer = false;
    Open();
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(messages.empty());
}
