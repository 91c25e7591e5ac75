// Keeping the run until its layer file is written, and offering a kept run
// back at the next start; what is kept and where is the core's (keptrun.h).
#include "wizard/form5.h"

#include "app/guard.h"
#include "app/prompts.h"
#include "app/qtext.h"
#include "app/settings.h"
#include "wizard/keptrun.h"
#include "wizard/layerfile.h"
#include "wizard/paths.h"
#include "wizard/replacedfiles.h"
#include "wizard/rundata.h"
#include "wizard/runwriter.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>
#include <chrono>
#include <memory>
#include <utility>

namespace kobalin {

struct TForm5::Keeping {
    explicit Keeping(TForm5* form)
        : writer(keptRunsFolder(), [form](bool kept) {
              // From the writer's thread to the window's; dropped once the window is gone.
              QMetaObject::invokeMethod(
                  form, [form, kept] { guarded(form, [&] { form->runKept(kept); }); }, Qt::QueuedConnection);
          })
    {
    }

    std::string start;     // the run as the initialisation left it: nothing to keep
    std::string kept;      // the run as last handed to the writer; empty while there is no recovery file
    std::string written;   // the run as its layer file was last written
    bool failing = false;  // the last keep failed, and the user has been told
    OwnLayerFiles own;
    RunWriter writer;  // last: its thread ends before the rest goes
};

void TForm5::DropKeeping::operator()(Keeping* keeping) const { delete keeping; }

void TForm5::startKeeping()
{
    keeping_.reset(new Keeping(this));
    keeping_->start = keptRunBody(run_, CheckBox1->isChecked());
}

void TForm5::keepRun()
{
    if (!keeping_)
        return;  // the initialisation's own changes are no one's work
    Keeping& k = *keeping_;
    std::string body = keptRunBody(run_, CheckBox1->isChecked());
    // Nothing entered, or all of it in the layer file: nothing to lose.
    if (body == k.start || body == k.written) {
        if (!k.kept.empty())
            k.writer.forget();
        k.kept.clear();
        return;
    }
    if (body == k.kept)
        return;
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    k.writer.keep(keptRunFile(body, std::chrono::duration_cast<std::chrono::seconds>(now).count()));
    k.kept = std::move(body);
}

void TForm5::runKept(bool kept)
{
    if (!keeping_)
        return;
    Keeping& k = *keeping_;
    if (kept) {
        k.failing = false;
        return;
    }
    k.kept.clear();  // tried again at the next change
    // Once, not at every change; again after a keep has succeeded.
    if (!std::exchange(k.failing, true))
        prompts().error(this, text(104) + qs(keptRunsFolder().u16string()));
}

void TForm5::settleKeeping()
{
    if (!keeping_)
        return;
    keeping_->writer.settle();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);  // the writer's word on it
}

void TForm5::offerKeptRun()
{
    OrphanSearch found = findOrphanedRuns(keptRunsFolder());
    if (!found.setAside.empty()) {
        QString names;
        for (const auto& file : found.setAside)
            names += "\n" + qs(file.u16string());
        prompts().info(this, text(101) + names);
    }
    if (!found.newest)
        return;
    OrphanedRun& orphan = *found.newest;
    const QString question = qs(restoreQuestion(orphan.kept(), run_.taal));
    if (!prompts().question(this, question, text(59), text(60), Prompts::Default::Yes)) {
        orphan.discard();
        return;
    }
    restoreRun(orphan.kept());
    keepRun();
    // The old file goes only once this copy keeps the run; else the next
    // start offers it again.
    if (keeping_->writer.settle())
        orphan.discard();
}

void TForm5::restoreRun(const KeptRun& kept)
{
    const RunData& from = kept.run;
    run_.commentaar1 = from.commentaar1;
    run_.commentaar2 = from.commentaar2;
    run_.commentaar3 = from.commentaar3;
    run_.commentaar = from.commentaar;
    std::copy(from.layers.begin(), from.layers.begin() + from.lagen, run_.layers.begin());
    run_.lagen = from.lagen;
    BitBtn2->setEnabled(run_.commentaar < 3);
    {
        // Its handler would keep the run half put back; the caller keeps it whole.
        const QSignalBlocker quiet(CheckBox1);
        CheckBox1->setChecked(kept.linked);
    }
    if (!from.model.empty()) {
        // As choosing it does: the last step writes beside the model the settings name.
        auto key = openSettingsKey(kSettingsKey);
        key->writeString(u"meetfile", ChangeFileExt(from.model, u".xml_layer.csv"));
        key->writeString(u"initdir", ExtractFileDir(from.model));
        key->close();
        showModel(from.model);
        modelRestored_ = true;
    }
}

OwnLayerFiles* TForm5::ownLayerFiles() { return keeping_ ? &keeping_->own : nullptr; }

void TForm5::runWritten()
{
    if (!keeping_)
        return;
    // As the handler's keep will find it: the step's refresh sorts after writing.
    const auto sorted = std::make_unique<RunData>(run_);
    sortLayers(*sorted);
    keeping_->written = keptRunBody(*sorted, CheckBox1->isChecked());
}

QString TForm5::replacedNote(const LayerFileResult& result) const
{
    if (!result.keptCopy.empty())
        return "\n\n" + text(102) + qs(result.keptCopy);
    if (!result.copyFailedIn.empty())
        return "\n\n" + text(103) + qs(result.copyFailedIn);
    return QString();
}

}  // namespace kobalin
