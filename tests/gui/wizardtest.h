#pragma once

#include "freshsettings.h"
#include "recorder.h"

#include "app/qtext.h"
#include "app/settings.h"
#include "app/windows.h"
#include "wizard/form5.h"
#include "wizard/rundata.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

// Selects all of a field's text and types text in its place.
void retype(QWidget* field, const QString& text);

// Types text into widget key by key, as a user would; also letters that
// QTest::keyClicks cannot send (anything beyond ASCII).
void typeText(QWidget* widget, const QString& text);

// The whole program's windows over a fresh settings store, with the recorder
// answering every box and dialog.
class WizardTest : public FreshSettings {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new run of the program over the same settings.
    void restart();
    // Shows the wizard window, which initialises it.
    void start();
    void seed(std::optional<std::int32_t> taal, std::optional<std::int32_t> koppel);

    template <class T = QWidget>
    T* find(QWidget* window, const char* name)
    {
        T* found = window->objectName() == name ? qobject_cast<T*>(window) : window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << "no control " << name;
        return found;
    }
    template <class T = QWidget>
    T* wizard(const char* name)
    {
        return find<T>(windows.Form5.get(), name);
    }

    void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    // A check box reacts to clicks on its box and caption only.
    void clickCheckBox(QWidget* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }
    void clickWizard(const char* name) { click(wizard(name)); }
    void next() { clickWizard("Button3"); }
    void back() { clickWizard("Button5"); }

    // Appends a layer to the table directly.
    void addLayer(std::u16string name, float offset);

    std::optional<std::int32_t> storedInteger(std::u16string_view name);

    QString en(int k) const { return kobalin::catalogue(kobalin::kEnglish, k); }

    kobalin::RunData run;
    Recorder recorder;
    kobalin::Windows windows;
};
