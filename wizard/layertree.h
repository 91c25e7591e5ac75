#pragma once

#include <QIcon>
#include <QTreeWidget>

#include <array>
#include <cstdint>

namespace kobalin {

struct RunData;

// The layer tree beside the steps: the three comment lines, then each layer
// with its six values below it. Built anew from the run at every refresh; the
// window's menu acts on the node's place (nodeSource, wizard/rundata.h).
class LayerTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit LayerTree(QWidget* parent = nullptr);

    // The run's comment lines and layers, collapsed, nothing selected; an
    // unusual value and its layer marked, with why in the language of base taal.
    void showRun(const RunData& run, std::int32_t taal);

    // The node's place in a walk of the whole tree, parents before children.
    int absoluteIndex(const QTreeWidgetItem* node) const;
    // The place of the first selected node; -1 when none is selected.
    int selectedNode() const;

protected:
    // The menu key and Shift+F10 ask for the menu at the selected node.
    void keyPressEvent(QKeyEvent* event) override;
    // With no node to show it on, the focus is shown around the whole view.
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<QIcon, 8> images_;  // loaded at the first build, not at start
};

}  // namespace kobalin
