#pragma once

#include <QWidget>

#include <array>
#include <memory>
#include <random>
#include <string>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace kobalin {

struct KeptRun;
struct LayerFileResult;
class OwnLayerFiles;
struct RunData;
class LayerSection;
class LayerTree;
class SvgPicture;
class TBewerkcommentaar;
class TLayeredit;
class Ttaalkeus;

// The wizard window: five steps in one window, the layer tree beside them.
// Built in form5layout.cpp; the handlers are in form5.cpp.
class TForm5 : public QWidget {
    Q_OBJECT
public:
    explicit TForm5(RunData& run, QWidget* parent = nullptr);
    void setDialogs(Ttaalkeus* taalkeus, TBewerkcommentaar* bewerkcommentaar, TLayeredit* layeredit);

    void FormActivate();
    void Button3Click();  // Next
    void Button5Click();  // Back
    void Button4Click();  // Abort, later End program
    void BitBtn1Click();  // language
    void Panel3Click();   // another picture
    void actieClick();    // the step refresh
    void Edit1Click();    // choose the reference file
    void BitBtn4Click();  // open a layer file
    void CheckBox1Click();
    void BitBtn3Click();  // New Layer
    void Edit2Click();
    void Edit2KeyPress();  // Enter in the comment field
    void BitBtn2Click();   // add a comment line
    void BitBtn5Click();   // save the layer sheet as PDF
    void BoompopupPopup();
    void edit3Click();     // edit the comment line or layer behind the selected node
    void edit4Click();     // delete it
    void emplate1Click();  // add the layer to the templates

    // Waits until the run is kept on disk as it stands (it is written on a
    // thread of its own) and the window has heard how that went.
    void settleKeeping();

    QFrame* Panel1;
    QLabel* Label7;
    QFrame* Panel2;
    QFrame* Panel3;
    std::array<SvgPicture*, 5> images;  // Image1 to Image5
    LayerTree* TreeView1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QPushButton* Button3;
    QPushButton* Button5;
    QPushButton* Button4;
    QPushButton* BitBtn1;
    QPushButton* actie;
    QLineEdit* Edit1;
    QPushButton* BitBtn4;
    QLineEdit* Edit2;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QCheckBox* CheckBox1;
    QLabel* Label4;
    QLabel* Label22;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label23;
    QLabel* Label9;
    LayerSection* Section1;  // the cross-section, from step 3 on
    QLabel* Label10;         // step 5: the written file's path,
    QPlainTextEdit* Memo1;   // its text as read back,
    QPushButton* BitBtn5;    // and Save as PDF
    QMenu* Boompopup;
    QAction* edit3;
    QAction* edit4;
    QAction* emplate1;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The builders, by region (form5layout.cpp).
    void buildBanner();
    void buildPictureColumn();
    QWidget* buildStepControls();
    void buildWrittenFile(QWidget* content);
    void layOutStepControls(QWidget* content);
    void buildTree();
    void buildButtonBar();
    void layOutWindow(QWidget* content);
    void wire();

    QString text(int k) const;
    void showModel(const std::u16string& path);
    void showRandomPicture();
    void hideOtherSteps();
    bool applyStep();  // false when the last step could write nothing
    void openLayerEditorToAdd();
    bool writeLayerFile();
    void showWrittenFile();
    int selectedNode();  // the tree's selected node, or -1 after telling the user to select first
    void showTreeMenu(const QPoint& pos);

    // Keeping the run until its layer file is written (form5keep.cpp).
    struct Keeping;
    struct DropKeeping {
        void operator()(Keeping* keeping) const;
    };
    void startKeeping();
    void keepRun();           // after every handler that may change the run
    void runKept(bool kept);  // the writer's word on a keep, in the window's thread
    void offerKeptRun();
    void restoreRun(const KeptRun& kept);
    OwnLayerFiles* ownLayerFiles();
    void runWritten();
    QString replacedNote(const LayerFileResult& result) const;

    RunData& run_;
    Ttaalkeus* taalkeus_ = nullptr;
    TBewerkcommentaar* bewerkcommentaar_ = nullptr;
    TLayeredit* layeredit_ = nullptr;
    QTimer* start_;  // runs FormActivate, once
    bool shown_ = false;
    std::mt19937 random_{std::random_device{}()};
    QWidget* writtenBox_;                            // Label10, Memo1 and BitBtn5
    std::u16string writtenPath_;                     // the layer file of the last write, empty after a failed one
    std::unique_ptr<Keeping, DropKeeping> keeping_;  // from the end of the initialisation on
    bool modelRestored_ = false;                     // a restored run's model counts as chosen at step 2
};

}  // namespace kobalin
