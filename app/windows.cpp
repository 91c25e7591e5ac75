#include "app/windows.h"

#include "app/art.h"
#include "app/look.h"
#include "app/wheel.h"
#include "comments/bewerkcommentaar.h"
#include "i18n/taalkeus.h"
#include "layeredit/layeredit.h"
#include "wizard/form5.h"

#include <QApplication>
#include <QIcon>

// Outside any namespace, as Qt requires.
static void initArtwork() { Q_INIT_RESOURCE(kobalin); }

namespace kobalin {

Windows::Windows() = default;
Windows::Windows(Windows&&) noexcept = default;
Windows& Windows::operator=(Windows&&) noexcept = default;
Windows::~Windows() = default;

Windows createWindows(RunData& run)
{
    initArtwork();
    // Most of the texts are in this font. A text field first lays out its
    // text in the program's font before taking its own, so with any other
    // program font one more font would be loaded at start for nothing.
    QApplication::setFont(tahoma(13));
    showFocusAlways();
    wheelChangesOnlyTheFocusedField();
    Windows w;
    w.Form5 = std::make_unique<TForm5>(run);
    w.taalkeus = new Ttaalkeus(w.Form5.get());
    w.Bewerkcommentaar = new TBewerkcommentaar(w.Form5.get());
    w.Layeredit = new TLayeredit(run, w.Form5.get());
    w.Form5->setDialogs(w.taalkeus, w.Bewerkcommentaar, w.Layeredit);
    w.Form5->setWindowIcon(artIcon(":/app/kobalin.svg"));
    return w;
}

}  // namespace kobalin
