#include "gui/code/XmlTreeView.h"

#include "gui/code/ImageStrip.h"

#include "deck/DeckModel.h"
#include "deck/SourceConstants.h"
#include "editor/Prompter.h"
#include "editor/XmlTreeModel.h"

#include <QCoreApplication>
#include <QDrag>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QStyleFactory>

#include <vector>

// The resources sit in a static library, whose unreferenced objects the
// linker drops; naming them here keeps them in.
static void initTreeResources()
{
    Q_INIT_RESOURCE(tessarine);
}

namespace tess {

namespace {

constexpr char DragFormat[] = "application/x-tessarine-tree-item";

// The look of a classic tree control: dotted lines and boxed expand buttons.
// One style for every tree, owned by the application so it outlives them.
QStyle *lineStyle()
{
    static QStyle *style = [] {
        QStyle *s = QStyleFactory::create(QStringLiteral("Windows"));
        if (s)
            s->setParent(QCoreApplication::instance());
        return s;
    }();
    return style;
}

QList<QIcon> treeIcons()
{
    [[maybe_unused]] static const bool registered = (initTreeResources(), true);
    QList<QIcon> strip = cutImageStrip(QPixmap(QString::fromLatin1(TreeImagesResource)),
                                       TreeImageWidth, Qt::white);
    if (strip.size() < 3)
        return {QIcon(), QIcon(), QIcon()};
    // Each image names its selected look too, so that the style does not tint
    // it: an element turns into the root image, the others stay as they are.
    const QSize size(TreeImageWidth, TreeImageWidth);
    auto icon = [&](int normal, int selected) {
        QIcon result;
        result.addPixmap(strip[normal].pixmap(size), QIcon::Normal);
        result.addPixmap(strip[selected].pixmap(size), QIcon::Selected);
        return result;
    };
    return {icon(TreeImageRoot, TreeImageRoot), icon(TreeImageElement, TreeImageRoot),
            icon(TreeImageText, TreeImageText)};
}

// An item holding its label, icon, image and node identifier as they are and
// answering for them in data(): a long deck has an item for every node, and
// the general item keeps each field as a variant in lists of its own, which
// cost most of the time and memory of building the tree.
class NodeItem : public QTreeWidgetItem
{
public:
    NodeItem(QString label, QIcon icon, int image, int id)
        : m_label(std::move(label))
        , m_icon(std::move(icon))
        , m_image(image)
        , m_id(id)
    { }

    QVariant data(int column, int role) const override
    {
        if (column == 0) {
            switch (role) {
            case Qt::DisplayRole:
            case Qt::EditRole:
                return m_label;
            case Qt::DecorationRole:
                return m_icon;
            case XmlTreeView::IdRole:
                return m_id;
            case XmlTreeView::ImageRole:
                return m_image;
            default:
                break;
            }
        }
        return QTreeWidgetItem::data(column, role);
    }

    void setData(int column, int role, const QVariant &value) override
    {
        if (column != 0) {
            QTreeWidgetItem::setData(column, role, value);
            return;
        }
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            m_label = value.toString();
            break;
        case Qt::DecorationRole:
            m_icon = value.value<QIcon>();
            break;
        case XmlTreeView::IdRole:
            m_id = value.toInt();
            break;
        case XmlTreeView::ImageRole:
            m_image = value.toInt();
            break;
        default:
            QTreeWidgetItem::setData(column, role, value);
            return;
        }
        emitDataChanged();
    }

    // The subtree copied item for item, without recursion: decks may nest
    // deeply.
    QTreeWidgetItem *clone() const override
    {
        auto *top = new NodeItem(*this);
        std::vector<std::pair<const QTreeWidgetItem *, QTreeWidgetItem *>> open {{this, top}};
        while (!open.empty()) {
            const auto [from, to] = open.back();
            open.pop_back();
            for (int i = 0; i < from->childCount(); ++i) {
                const QTreeWidgetItem *child = from->child(i);
                const auto *node = dynamic_cast<const NodeItem *>(child);
                QTreeWidgetItem *copy = node ? new NodeItem(*node) : new QTreeWidgetItem(*child);
                to->addChild(copy);
                open.emplace_back(child, copy);
            }
        }
        return top;
    }

private:
    NodeItem(const NodeItem &) = default;

    QString m_label;
    QIcon m_icon;
    int m_image;
    int m_id;
};

} // namespace

XmlTreeView::XmlTreeView(Prompter &prompter, DeckModel *deck, QWidget *parent)
    : QTreeWidget(parent)
    , m_prompter(prompter)
    , m_deck(deck)
    , m_icons(treeIcons())
{
    if (QStyle *style = lineStyle())
        setStyle(style);
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setItemsExpandable(true);
    setIconSize(QSize(TreeImageWidth, TreeImageWidth));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(false);

    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    // The selection stays as visible as with focus.
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        p.setColor(QPalette::Inactive, role, p.color(QPalette::Active, role));
    setPalette(p);
}

int XmlTreeView::itemId(const QTreeWidgetItem *item)
{
    return item ? item->data(0, IdRole).toInt() : 0;
}

int XmlTreeView::itemImage(const QTreeWidgetItem *item)
{
    return item ? item->data(0, ImageRole).toInt() : -1;
}

QTreeWidgetItem *XmlTreeView::makeItem(const std::string &label, int image, int id) const
{
    return new NodeItem(QString::fromStdString(label), m_icons.value(image), image, id);
}

void XmlTreeView::Clear()
{
    clear();
}

void XmlTreeView::BuildTree(const DeckModel &model)
{
    clear();
    // The items are made outside the tree and enter it at once: an item in
    // the tree tells the view of every field set and every child added,
    // which cost most of a long deck's tree.
    QList<QTreeWidgetItem *> topLevel;
    // The last item made at each depth is the parent of the next one deeper.
    std::vector<QTreeWidgetItem *> open;
    ForEachTreeRow(model.root(), [&](TreeRow &&row) {
        open.resize(row.depth);
        QTreeWidgetItem *item = makeItem(row.label, row.image, row.id);
        if (open.empty())
            topLevel.append(item);
        else
            open.back()->addChild(item);
        open.push_back(item);
    });
    addTopLevelItems(topLevel);
    if (QTreeWidgetItem *top = topLevelItem(0)) {
        top->setExpanded(true);
        if (top->childCount() > 0)
            top->child(0)->setExpanded(true);
    }
}

bool XmlTreeView::DropItem(QTreeWidgetItem *dragged, QTreeWidgetItem *target)
{
    if (!dragged || !target || dragged->treeWidget() != this || target->treeWidget() != this
        || !m_deck || !m_deck->root())
        return false;
    const DropPlan plan = PlanDrop(m_deck->root(), itemId(dragged), itemId(target));
    if (plan.outcome == DropPlan::Outcome::LastOption) {
        m_prompter.message(std::string(LastOptionText));
        return false;
    }
    if (plan.outcome != DropPlan::Outcome::Move)
        return false;

    // The items mirror the deck: the new parent is the target or its parent.
    const bool intoTarget = plan.parent->id() == itemId(target);
    QTreeWidgetItem *parentItem = intoTarget ? target : target->parent();
    if (!parentItem)
        return false;
    const int row = intoTarget ? target->childCount() : parentItem->indexOfChild(target) + 1;
    DeckNode *moved = MoveSubtree(m_deck->root(), plan.node, plan.parent, plan.before);
    if (!moved)
        return false;

    const bool expanded = dragged->isExpanded();
    QTreeWidgetItem *copy = dragged->clone();
    parentItem->insertChild(row, copy);
    delete dragged;
    // Every copied item leads to its new node; the subtrees match one to one.
    QTreeWidgetItemIterator it(copy);
    for (int id : SubtreeIds(moved)) {
        if (!*it)
            break;
        (*it)->setData(0, IdRole, id);
        ++it;
    }
    copy->setExpanded(expanded);
    setCurrentItem(copy);
    emit modified();
    return true;
}

bool XmlTreeView::event(QEvent *event)
{
    // Claiming Escape keeps a window shortcut on it from taking it first.
    if (event->type() == QEvent::ShortcutOverride
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QTreeWidget::event(event);
}

void XmlTreeView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        emit fullScreenRequested();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void XmlTreeView::startDrag(Qt::DropActions /*supportedActions*/)
{
    QTreeWidgetItem *item = currentItem();
    if (!item)
        return;
    setCurrentItem(item);
    m_dragItem = item;
    m_dragging = true;
    m_dragImage = viewport()->grab(visualItemRect(item));

    auto *mime = new QMimeData;
    mime->setData(QString::fromLatin1(DragFormat), QByteArray::number(itemId(item)));
    auto *drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->setPixmap(m_dragImage);
    drag->setHotSpot(QPoint(TreeImageWidth / 2, m_dragImage.height() / 2));
    drag->exec(Qt::MoveAction);

    // A drop may have deleted the item; it is not touched again.
    m_dragging = false;
    m_dragItem = nullptr;
    m_dragImage = QPixmap();
}

bool XmlTreeView::ownsDrag(const QDropEvent *event) const
{
    return m_dragging && event->source() == this
        && event->mimeData()->hasFormat(QString::fromLatin1(DragFormat));
}

void XmlTreeView::dragEnterEvent(QDragEnterEvent *event)
{
    if (ownsDrag(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void XmlTreeView::dragMoveEvent(QDragMoveEvent *event)
{
    // The base class scrolls near the edges; whether to accept is decided here.
    QTreeWidget::dragMoveEvent(event);
    if (ownsDrag(event)) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void XmlTreeView::dropEvent(QDropEvent *event)
{
    stopAutoScroll();
    setState(NoState);
    if (!ownsDrag(event)) {
        event->ignore();
        return;
    }
    m_dragging = false;
    event->acceptProposedAction();
    DropItem(m_dragItem, itemAt(event->position().toPoint()));
}

} // namespace tess
