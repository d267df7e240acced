#pragma once

// The selector on a data folder the test writes: two R22 files of constant-capacity
// compressors (one listed rising, one falling in capacity), a table compressor in a
// subfolder, and a file for the second refrigerant "R2" of the test library, whose
// R22 is the built-in record. Recorders stand in for the message box, the question,
// the folder browser and the refrigerant picker.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTest>

#include "units/beep.h"
#include "tests/support/cmpfixture.h"
#include "tools/compressor/comp.h"
#include "tools/compform/compform.h"
#include "units/fmtedit.h"
#include "widgets/messages.h"
#include "env/platform.h"
#include "core/refriglib.h"
#include "env/settingsstore.h"
#include "tests/support/tempfolder.h"
#include "tests/support/windowtest.h"
#include "tests/support/qtprint.h"
#include "tests/support/hookguard.h"

// Heat rejection of the constant-capacity records: power 3 kW, factor 0.9.
constexpr double kRejectedPower = 2.7;

class CompFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* application : {"kelvora", "Common"})
            QSettings(QSettings::NativeFormat, QSettings::UserScope, "Zandrovel", application).clear();
        std::filesystem::create_directories(data);
        lib.SelectByName("R22");
        comp.SetMessageHook([this](const std::string& m) { messages.push_back(m); });
    }

    void TearDown() override
    {
        form.reset();
    }

    // Capacities rising from first to last, falling, a table compressor in a
    // subfolder, and the second refrigerant's file.
    std::string WriteRising()
    {
        return Cmp("A-R22.cmp", cmpfixture::Header(), {Poly("A5", 5), Poly("A10", 10), Poly("A20", 20)});
    }
    std::string WriteFalling()
    {
        return Cmp("B-R22.cmp", cmpfixture::Header(), {Poly("B30", 30), Poly("B12", 12), Poly("B6", 6)});
    }
    std::string WriteTable() { return Cmp("more/D-R22.cmp", cmpfixture::Header(), {cmpfixture::TableRecord("D1")}); }
    std::string WriteR2()
    {
        return Cmp("C-R2.cmp", cmpfixture::Header("Zandrovel compressor file v 1.03", 4), {Poly("C7", 7)});
    }
    void WriteFiles()
    {
        WriteRising();
        WriteFalling();
        WriteTable();
        WriteR2();
    }
    static TCompData Poly(const std::string& name, double capacity) { return cmpfixture::PolyRecord(name, capacity); }

    std::string Cmp(const std::string& name, const TCompHeader& h, const std::vector<TCompData>& records)
    {
        const std::string path = data + name;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        WriteCompFile(path, h, records);
        return path;
    }

    // The window as the program makes it: after the start-up scan of the data folder.
    TCompForm& Make()
    {
        comp.SetDataFolder(data);
        form = std::make_unique<TCompForm>(comp, lib, nullptr);
        form->SetQuestion([this](const QString& q) {
            questions.push_back(q.toStdString());
            return answer;
        });
        form->FolderDialog1.SetBrowser([this](QWidget*, const QString& title) {
            browserTitles.push_back(title.toStdString());
            return QString::fromStdString(browsed);
        });
        return *form;
    }

    // Shown modally as the main window shows it; the activation runs once the
    // window is up.
    TCompForm& Open()
    {
        if (!form)
            Make();
        form->open();
        QApplication::setActiveWindow(form.get());
        QCoreApplication::processEvents();
        return *form;
    }

    // A click of the user's on a list entry.
    static void Click(QListWidget* list, const QString& text)
    {
        const auto found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        list->setCurrentItem(found.front());
    }

    static QString Current(const QListWidget* list)
    {
        return list->currentItem() ? list->currentItem()->text() : QString();
    }

    static QStringList Entries(const QListWidget* list)
    {
        QStringList texts;
        for (int k = 0; k < list->count(); ++k)
            texts << list->item(k)->text();
        return texts;
    }

    QStringList MemoLines() const { return form->DataMemo->toPlainText().split(u'\n', Qt::SkipEmptyParts); }

    TTempFolder dir;
    std::string data = dir.File("data") + "/";
    TRefrigLib lib {dir.Write("RefLib8.rdf", cmpfixture::kLibraryText)};
    TComp comp {lib};
    std::unique_ptr<TCompForm> form;
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<std::string> browserTitles;
    bool answer = false;
    std::string browsed;

private:
    THookGuard<TMessageHook> messageHook_ {SetMessageHook, [this](const std::string& m) { messages.push_back(m); }};
    THookGuard<TBeepHook> beepHook_ {SetBeepHook, [] {}};
};
