#include "comments/bewerkcommentaar.h"

#include "app/fieldfilter.h"
#include "app/guard.h"
#include "app/look.h"
#include "app/qtext.h"
#include "wizard/rundata.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kobalin {

TBewerkcommentaar::TBewerkcommentaar(QWidget* parent) : QDialog(parent)
{
    setObjectName("Bewerkcommentaar");
    setWindowTitle("Bewerkcommentaar");
    useFontWhenShown(this, 11);

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFixedHeight(29);
    Panel1->setAutoFillBackground(true);
    Panel1->setBackgroundRole(QPalette::Highlight);
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setFont(tahoma(13));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    useFontWhenShown(Edit1, 17);
    Edit1->setMinimumSize(529, 29);
    Edit1->setValidator(new FieldFilter(Edit1));
    Edit1->setMaxLength(static_cast<int>(kLongestText));
    Button1 = new QPushButton(this);
    Button1->setObjectName("Button1");
    Button1->setAutoDefault(false);
    Button1->setDefault(false);
    Button1->setMinimumSize(99, 57);

    auto* content = new QVBoxLayout;
    content->setContentsMargins(56, 16, 50, 15);
    content->addWidget(Label1);
    content->addWidget(Edit1);
    content->addWidget(Button1, 0, Qt::AlignHCenter);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->addWidget(Panel1);
    root->addLayout(content, 1);

    setTabOrder(Button1, Edit1);
    // Grown at activation where its texts need more room.
    resize(635, 184);
    onEvent(Button1, &QPushButton::clicked, this, &TBewerkcommentaar::Button1Click);
}

void TBewerkcommentaar::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    guarded(this, [this] { FormActivate(); });
}

void TBewerkcommentaar::keyPressEvent(QKeyEvent* event)
{
    // There is no cancel: Escape closes nothing.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TBewerkcommentaar::FormActivate()
{
    setWindowTitle(catalogue(taalbasis, 26));
    Label1->setText(catalogue(taalbasis, 27));
    Button1->setText(catalogue(taalbasis, 0));
    Edit1->setAccessibleName(catalogue(taalbasis, 26));
    fitWindow(this, size());
}

void TBewerkcommentaar::Button1Click() { accept(); }

}  // namespace kobalin
