#pragma once

// The valve selector and the liquid line window on a scratch data folder: a
// library file whose R22 is the built-in record, the shipped R22 sample range
// and valve files written by the tests, an empty settings store for each test,
// and recorders in place of the message box and the beep.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <QApplication>
#include <QListWidget>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include "units/beep.h"
#include "units/fmtedit.h"
#include "units/fmteditlabel.h"
#include "widgets/messages.h"
#include "env/platform.h"
#include "core/refriglib.h"
#include "tests/support/tempfolder.h"
#include "tests/support/windowtest.h"
#include "tools/txvalveform/txvalveform.h"
#include "units/unitsform.h"
#include "tests/support/qtprint.h"
#include "tests/support/hookguard.h"

inline constexpr const char* kSampleR22 = "Sample R22 metric.txv";

class WindowTest : public ::testing::Test {
protected:
    static constexpr const char* kLibrary = "[R22]\r\nRNumber=R22\r\n[R134a]\r\nRNumber=R134a\r\n";

    void SetUp() override
    {
        ClearSettings();
        std::filesystem::create_directories(dir.File("Common Files"));
    }

    void TearDown() override
    {
        form.reset();
        ClearSettings();
    }

    // The program's own settings (key "Software\Zandrovel\kelvora").
    static void ClearSettings()
    {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Zandrovel", "kelvora");
        settings.clear();
        settings.sync();
    }

    std::string Folder() const { return dir.File("Common Files") + "/"; }

    void InstallSample(const char* name = kSampleR22) const
    {
        std::filesystem::copy_file(std::string(KELVORA_SOURCE_DIR) + "/assets/Common Files/" + name,
                                   Folder() + name);
    }

    void WriteValveFile(const std::string& name, const std::string& text) const
    {
        dir.Write("Common Files/" + name, text);
    }

    // The selector as the program creates it (unless the test made its own),
    // shown, which runs its activation.
    TTxValveForm& Open()
    {
        if (!form)
            form = std::make_unique<TTxValveForm>(lib, Folder());
        Show(*form);
        return *form;
    }

    static void Show(QWidget& window)
    {
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // Clicks the field's units label and picks unit `choice` in the list.
    static void PickUnit(TFmtEdit* field, int choice)
    {
        auto* label = qobject_cast<TFmtEditLabel*>(field->UnitsLabel());
        ASSERT_NE(label, nullptr);
        QTimer::singleShot(0, [choice] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* list = qobject_cast<TUnitsForm*>(w); list && list->isVisible()) {
                    list->ListBox1->setCurrentRow(choice);
                    QTest::keyClick(list->ListBox1, Qt::Key_Return);
                    return;
                }
            ADD_FAILURE() << "no units list";
        });
        label->Click();
    }

    TTempFolder dir;
    TRefrigLib lib {dir.Write("RefLib8.rdf", kLibrary)};
    std::unique_ptr<TTxValveForm> form;
    std::vector<std::string> messages;

private:
    THookGuard<TMessageHook> messageHook_ {SetMessageHook, [this](const std::string& text) { messages.push_back(text); }};
    THookGuard<TBeepHook> beepHook_ {SetBeepHook, [] {}};
};
