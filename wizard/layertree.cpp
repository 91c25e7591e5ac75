#include "wizard/layertree.h"

#include "app/art.h"
#include "app/look.h"
#include "app/qtext.h"
#include "wizard/layersection.h"
#include "wizard/rundata.h"
#include "wizard/usualvalues.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace kobalin {

namespace {

// A node of the layer tree. Its image and image index are answered by the
// node instead of being stored as item data: a full table is 6996 nodes at
// every refresh, and two data entries per node were most of the rebuild's work.
class TreeNode final : public QTreeWidgetItem {
public:
    TreeNode(const QString& text, const QIcon& icon, int image) : QTreeWidgetItem(UserType), icon_(icon), image_(image)
    {
        setText(0, text);
    }

    QVariant data(int column, int role) const override
    {
        if (column == 0 && role == Qt::DecorationRole)
            return icon_;
        if (column == 0 && role == Qt::UserRole)
            return image_;
        return QTreeWidgetItem::data(column, role);
    }

private:
    QIcon icon_;
    int image_;
};

// A node whose value is unusual, as the layer editor marks its field.
void markNode(QTreeWidgetItem* node, const QString& why)
{
    node->setForeground(0, warningColour());
    node->setToolTip(0, why);
}

}  // namespace

LayerTree::LayerTree(QWidget* parent) : QTreeWidget(parent)
{
    setFont(tahoma(13));
    setFixedWidth(250);
    setHeaderHidden(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    setIndentation(19);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setMouseTracking(true);  // hot tracking
    setAccessibleName("Layer file");
}

void LayerTree::showRun(const RunData& run, std::int32_t taal)
{
    if (images_[0].isNull()) {
        const char* names[] = {"comment", "layer", "offset", "passtarget", "passtol", "speedtarget", "speedtol", "cmv"};
        for (int i = 0; i < 8; ++i)
            images_[i] = artIcon(QString(":/nodes/%1.svg").arg(names[i]));
    }
    enum Image { Comment, Layer, Offset, PassTarget, PassTolerance, SpeedTarget, SpeedTolerance, Cmv };
    auto node = [this](const QString& text, int image) { return new TreeNode(text, images_[image], image); };
    const QString unusualOffset = catalogue(taal, 80), unusualSpeed = catalogue(taal, 81);
    // Built apart and handed over in one go: a full table is 6996 nodes.
    QList<QTreeWidgetItem*> top;
    top.reserve(3 + run.lagen);
    for (const std::u16string* comment : {&run.commentaar1, &run.commentaar2, &run.commentaar3})
        top.append(node(qs(*comment), Comment));
    QList<QTreeWidgetItem*> values(6);
    for (std::int32_t k = 0; k < run.lagen; ++k) {
        const TLayerRecord& r = run.layers[k];
        QTreeWidgetItem* layer = node(qs(r.Name), Layer);
        const std::array<QString, 6> texts = valueTexts(r);
        for (int i = 0; i < 6; ++i)
            values[i] = node(texts[i], Offset + i);
        QString why;
        if (!isUsualOffset(r.Offset)) {
            why = unusualOffset;
            markNode(values[0], why);
        }
        if (!isUsualSpeed(r.Speed_Target)) {
            markNode(values[3], unusualSpeed);
            why += (why.isEmpty() ? QString() : QString('\n')) + unusualSpeed;
        }
        if (!why.isEmpty())
            markNode(layer, why);
        layer->addChildren(values);
        top.append(layer);
    }
    clear();
    insertTopLevelItems(0, top);
    setCurrentItem(nullptr);
    clearSelection();
}

int LayerTree::absoluteIndex(const QTreeWidgetItem* node) const
{
    const QTreeWidgetItem* parent = node->parent();
    const int top = indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(parent ? parent : node));
    return parent ? nodeIndex(top, parent->indexOfChild(const_cast<QTreeWidgetItem*>(node))) : nodeIndex(top);
}

int LayerTree::selectedNode() const
{
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : absoluteIndex(selected.constFirst());
}

void LayerTree::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Menu || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        const QList<QTreeWidgetItem*> selected = selectedItems();
        emit customContextMenuRequested(selected.isEmpty() ? QPoint(0, 0) : visualItemRect(selected.constFirst()).center());
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void LayerTree::paintEvent(QPaintEvent* event)
{
    QTreeWidget::paintEvent(event);
    if (!hasFocus() || currentItem())
        return;
    QPainter painter(viewport());
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = viewport()->rect();
    option.backgroundColor = palette().color(QPalette::Base);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

}  // namespace kobalin
