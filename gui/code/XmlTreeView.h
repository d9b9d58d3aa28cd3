#pragma once

#include <QPixmap>
#include <QTreeWidget>

#include <string>

namespace tess {

class DeckModel;
class Prompter;

// The "XML Tree" tab of a WML document: one item per node of the deck under
// "#document", each holding its node's identifier. Dragging an item onto
// another moves the node's subtree in the deck and mirrors it in the items.
// The view never owns the deck; the document does and fills the tree through
// BuildTree when it validates. A drop it refuses is told through `prompter`.
class XmlTreeView : public QTreeWidget
{
    Q_OBJECT
public:
    static constexpr int IdRole = Qt::UserRole;
    static constexpr int ImageRole = Qt::UserRole + 1;

    explicit XmlTreeView(Prompter &prompter, DeckModel *deck = nullptr, QWidget *parent = nullptr);

    // The deck that drops edit; null makes every drop do nothing.
    void setDeck(DeckModel *deck) { m_deck = deck; }
    DeckModel *deck() const { return m_deck; }

    // Empties the tree and fills it from `model`; "#document" and the deck's
    // root are left expanded.
    void BuildTree(const DeckModel &model);
    void Clear();

    // The drop step of a drag of `dragged` onto `target`: moves the node in
    // the deck and the items in the tree, or tells the user why a select's
    // only option stays. True when the deck changed.
    bool DropItem(QTreeWidgetItem *dragged, QTreeWidgetItem *target);

    static int itemId(const QTreeWidgetItem *item);
    static int itemImage(const QTreeWidgetItem *item);

signals:
    void modified();
    // Escape: the main window is asked to leave full-screen mode.
    void fullScreenRequested();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // An item outside any tree.
    QTreeWidgetItem *makeItem(const std::string &label, int image, int id) const;
    bool ownsDrag(const QDropEvent *event) const;

    Prompter &m_prompter;
    DeckModel *m_deck = nullptr;
    QList<QIcon> m_icons; // by image number; elements switch to the root image when selected
    bool m_dragging = false;
    QTreeWidgetItem *m_dragItem = nullptr;
    QPixmap m_dragImage;
};

} // namespace tess
