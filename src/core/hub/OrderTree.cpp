#include "hub/OrderTree.h"

#include "commodities/CommodityNames.h"
#include "hub/OrderLines.h"

#include <QJsonObject>
#include <algorithm>

int OrderNode::row() const
{
    if (!parent)
        return 0;
    const auto& siblings = parent->children;
    const auto it =
        std::find_if(siblings.begin(), siblings.end(), [this](const auto& c) { return c.get() == this; });
    return int(it - siblings.begin());
}

OrderNode* OrderNode::addChild(const QString& t)
{
    auto node = std::make_unique<OrderNode>(t);
    node->parent = this;
    children.push_back(std::move(node));
    return children.back().get();
}

OrderTree::OrderTree(QObject* parent) : QAbstractItemModel(parent) {}

OrderTree::~OrderTree() = default;

QModelIndex OrderTree::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    const OrderNode* p = parent.isValid() ? nodeAt(parent) : &m_root;
    if (!p || row >= p->childCount())
        return {};
    return createIndex(row, 0, const_cast<OrderNode*>(p->child(row)));
}

QModelIndex OrderTree::parent(const QModelIndex& child) const
{
    const OrderNode* n = nodeAt(child);
    if (!n || !n->parent || n->parent == &m_root)
        return {};
    return createIndex(n->parent->row(), 0, n->parent);
}

int OrderTree::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() && parent.column() != 0)
        return 0;
    const OrderNode* p = parent.isValid() ? nodeAt(parent) : &m_root;
    return p ? p->childCount() : 0;
}

int OrderTree::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant OrderTree::data(const QModelIndex& index, int role) const
{
    const OrderNode* n = nodeAt(index);
    if (!n || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    // A commodity line shows the commodity as the game names it; the line
    // itself keeps the hub's spelling, which the lists and checks read.
    const QString commodity = OrderLines::commodityName(n->text);
    if (role == Qt::DisplayRole && !commodity.isEmpty() && n->text.startsWith(OrderLines::commodityMark())) {
        QString shown = n->text;
        return shown.replace(shown.indexOf(QLatin1Char('[')) + 1, commodity.size(),
                             CommodityNames::displayName(commodity));
    }
    return n->text;
}

const OrderNode* OrderTree::topLevel(int i) const
{
    return i >= 0 && i < m_root.childCount() ? m_root.child(i) : nullptr;
}

OrderNode* OrderTree::topLevel(int i)
{
    return i >= 0 && i < m_root.childCount() ? m_root.child(i) : nullptr;
}

const OrderNode* OrderTree::nodeAt(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return nullptr;
    return static_cast<const OrderNode*>(index.internalPointer());
}

QModelIndex OrderTree::indexOf(const OrderNode* node) const
{
    if (!node || node == &m_root)
        return {};
    return createIndex(node->row(), 0, const_cast<OrderNode*>(node));
}

void OrderTree::clear()
{
    if (m_root.children.empty())
        return;
    beginResetModel();
    m_root.children.clear();
    endResetModel();
}

void OrderTree::setTopLevel(std::vector<std::unique_ptr<OrderNode>> nodes)
{
    beginResetModel();
    m_root.children = std::move(nodes);
    for (auto& n : m_root.children)
        n->parent = &m_root;
    endResetModel();
}

OrderNode* OrderTree::append(OrderNode* parent, const QString& text)
{
    return appendSubtree(parent, std::make_unique<OrderNode>(text));
}

OrderNode* OrderTree::appendSubtree(OrderNode* parent, std::unique_ptr<OrderNode> subtree)
{
    OrderNode* p = parent ? parent : &m_root;
    const int row = p->childCount();
    beginInsertRows(indexOf(p), row, row);
    subtree->parent = p;
    p->children.push_back(std::move(subtree));
    endInsertRows();
    return p->children.back().get();
}

void OrderTree::removeChildren(OrderNode* node)
{
    OrderNode* p = node ? node : &m_root;
    if (p->children.empty())
        return;
    beginRemoveRows(indexOf(p), 0, p->childCount() - 1);
    p->children.clear();
    endRemoveRows();
}

namespace {

QJsonArray childrenToJson(const OrderNode& node)
{
    QJsonArray a;
    for (const auto& c : node.children)
        a.append(
            QJsonObject{{QStringLiteral("text"), c->text}, {QStringLiteral("children"), childrenToJson(*c)}});
    return a;
}

}  // namespace

QJsonArray OrderTree::toJson() const
{
    return childrenToJson(m_root);
}

const OrderNode* FindParentNodeByText(const OrderTree& tree, const QString& text)
{
    for (const auto& c : tree.root().children)
        if (c->text == text)
            return c.get();
    return nullptr;
}

OrderNode* FindParentNodeByText(OrderTree& tree, const QString& text)
{
    const OrderNode* n = FindParentNodeByText(std::as_const(tree), text);
    return n ? tree.topLevel(n->row()) : nullptr;
}

void CopyChildren(const OrderNode& source, OrderNode& target)
{
    for (const auto& c : source.children)
        CopyChildren(*c, *target.addChild(c->text));
}

void CopyNodeWithChildren(const OrderNode& node, OrderTree& target)
{
    // Built apart and inserted at once, so a view sees one insertion.
    auto copy = std::make_unique<OrderNode>(node.text);
    CopyChildren(node, *copy);
    target.appendSubtree(nullptr, std::move(copy));
}

QString GetCarrierIDFromParent(const OrderNode& order)
{
    for (const auto& c : order.children) {
        const QString t = c->text.trimmed();
        if (t.startsWith(OrderLines::carrierIdPrefix()))
            return t.mid(OrderLines::carrierIdPrefix().size()).trimmed();
    }
    return {};
}
