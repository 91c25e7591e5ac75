#pragma once

#include "wizard/rundata.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSpinBox;

namespace kobalin {

class SpinButton;
class WrappingRow;
struct LayerTemplate;
struct TemplateImport;

// Enters one layer, or edits one of the table; offers the layer templates.
class TLayeredit : public QDialog {
    Q_OBJECT
public:
    explicit TLayeredit(RunData& run, QWidget* parent = nullptr);

    // Set by the caller before each opening.
    std::int32_t taalbasis = 0;
    std::int32_t laagindex = 0;  // the record OK writes; OK raises it by one
    std::int32_t modus = 0;      // below 100: add, else edit

    // Fills the fields from a layer of the table, to edit it.
    void showLayer(const TLayerRecord& r);

    void FormActivate();
    void Button1Click();  // OK
    void Button2Click();  // Abort
    void SpinButton2UpClick();
    void SpinButton2DownClick();
    void SpinButton3UpClick();
    void SpinButton3DownClick();
    void SpinButton1UpClick();
    void SpinButton1DownClick();
    void Edit2Change();  // marks an unusual offset
    void Edit1Change();  // marks an unusual target speed
    void ComboBox1Select();
    void pevoegen1Click();
    void Overschrijven1Click();
    void Verwijderuittemplate1Click();
    void Exporteren1Click();
    void Importeren1Click();

    QLabel* Label1;
    QComboBox* ComboBox1;
    QLineEdit* Edit2;  // offset
    SpinButton* SpinButton2;
    SpinButton* SpinButton3;
    QSpinBox* CSpinEdit1;
    QSpinBox* CSpinEdit2;
    QLineEdit* Edit1;  // target speed
    SpinButton* SpinButton1;
    QSpinBox* CSpinEdit3;
    QSpinBox* CSpinEdit4;
    QPushButton* Button1;
    QPushButton* Button2;
    std::array<QLabel*, 7> captions;  // Label2 to Label8, above the fields
    std::array<QFrame*, 5> bevels;    // Bevel1 to Bevel5
    QMenu* PopupMenu1;
    QAction* Verwijderuittemplate1;
    QAction* Overschrijven1;
    QAction* pevoegen1;
    QAction* Exporteren1;  // the template list written as a layer file
    QAction* Importeren1;  // a layer file's layers added to the template list

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The builders (the bar, the fields in their groups and the buttons), the
    // keys, the fields' menu and the handlers' wiring.
    QFrame* buildFields();
    void layOutFields(QFrame* bar);
    void wireKeys();
    void buildMenu();
    void wire();

    QString text(int k) const;
    double readField(QLineEdit* field, const QLabel* caption);
    void step(QLineEdit* field, const QLabel* caption, double by);
    LayerTemplate fieldsAsTemplate();
    bool chooseFromList(QObject* watched, QEvent* event);
    QString applyNameRuleToField();
    void reloadTemplates();
    bool importAnswered(TemplateImport& plan, const RunData& file);

    RunData& run_;
    WrappingRow* groups_ = nullptr;  // Bevel1 to Bevel5
    int chosenTemplate_ = -1;        // the list item last chosen, -1 after a reload
    bool listWatched_ = false;       // the choice in the open list is watched
};

}  // namespace kobalin
