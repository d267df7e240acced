#pragma once

// The main window on a scratch working tree: Projects (with the shipped start-up
// project), Report, Images and Help folders in a temporary folder, a library file
// whose R22 is the built-in record, and recorders in place of the message box and
// the desktop.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <QApplication>
#include <QTest>
#include <QUrl>

#include "units/beep.h"
#include "ui/desktop.h"
#include "units/fmtedit.h"
#include "core/jsondoc.h"
#include "ui/mainform.h"
#include "widgets/messages.h"
#include "core/refriglib.h"
#include "tests/support/tempfolder.h"
#include "tests/support/windowtest.h"
#include "env/uglobal.h"
#include "tests/support/qtprint.h"
#include "tests/support/hookguard.h"

// The scratch tree of this test run (main_ui.cpp); MakerFolder() lies inside it.

// The control that Tab moves to from `from`: the next one in the focus chain that
// takes the focus by Tab (labels and a list's inner parts do not).
inline QWidget* NextTabStop(QWidget* from)
{
    for (QWidget* w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain())
        if (w->window() == from->window() && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() &&
            !from->isAncestorOf(w))
            return w;
    return nullptr;
}

class TRecordingDesktop : public TDesktop {
public:
    bool OpenUrl(const QUrl& url) override
    {
        urls.push_back(url);
        return true;
    }
    std::vector<QUrl> urls;
};

class MainWindowTest : public ::testing::Test {
protected:
    // A second refrigerant for the picker's hook to choose; R22 stays the built-in record.
    static constexpr const char* kLibrary = "[R22]\r\nRNumber=R22\r\n[R134a]\r\nRNumber=R134a\r\n";

    void SetUp() override
    {
        for (const char* folder : {"Projects", "Report", "Images", "Help"})
            std::filesystem::create_directories(dir.File(folder));
        std::filesystem::copy_file(std::string(KELVORA_SOURCE_DIR) + "/assets/Projects/Default.rdf",
                                   dir.File("Projects/Default.rdf"));
        vars.app_path = dir.File("");
        vars.settings_file = dir.File("Kelvora.json");
        vars.help_path = dir.File("Help");
        vars.images_path = dir.File("Images");
        vars.projects_path = dir.File("Projects");
        vars.report_path = dir.File("Report");
        vars.app_name = "Kelvora";
        vars.ver_num = "1.2.0.0";
        vars.app_title = "Kelvora 1.2.0.0";
    }

    void TearDown() override
    {
        form.reset();
    }

    // The window as the program creates it (unless the test made its own), shown
    // and activated, which loads the start-up project.
    TMainForm& Open()
    {
        if (!form)
            form = std::make_unique<TMainForm>(lib, vars, settings);
        form->show();
        QApplication::setActiveWindow(form.get());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        EXPECT_TRUE(QTest::qWaitFor([this] { return !form->ProjectFile().empty(); }));
        return *form;
    }

    TFmtEdit* Field(const char* name) const { return form->findChild<TFmtEdit*>(name); }

    TTempFolder dir;
    TRefrigLib lib {dir.Write("RefLib8.rdf", kLibrary)};
    TAppVariables vars;
    TJsonDoc settings = JsonNew();
    std::unique_ptr<TMainForm> form;
    std::vector<std::string> messages;
    TRecordingDesktop desktop;

private:
    THookGuard<TMessageHook> messageHook_ {SetMessageHook, [this](const std::string& text) { messages.push_back(text); }};
    THookGuard<TBeepHook> beepHook_ {SetBeepHook, [] {}};
    THookGuard<TDesktop*> desktopHook_ {SetDesktop, &desktop};
};
