// THeapStringList: the linked list of owned strings and its index-walking operations.
#include "foundation/HeapStringList.h"

#include "foundation/CharText.h"

#include <cstring>

namespace {

// strcmp order on unsigned bytes, whatever the signedness of char.
int CompareBytes(const char* a, const char* b)
{
    const unsigned char* left = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* right = reinterpret_cast<const unsigned char*>(b);
    while (*left && *left == *right) {
        ++left;
        ++right;
    }
    return static_cast<int>(*left) - static_cast<int>(*right);
}

// Merges two sorted chains linked by `next` only; on a tie the left item goes first, which
// keeps the sort stable.
template <typename NodeType>
NodeType* MergeChains(NodeType* left, NodeType* right, int order)
{
    NodeType* merged = nullptr;
    NodeType** tail = &merged;
    while (left && right) {
        NodeType*& taken = order * CompareBytes(left->text, right->text) <= 0 ? left : right;
        *tail = taken;
        tail = &taken->next;
        taken = taken->next;
    }
    *tail = left ? left : right;
    return merged;
}

template <typename NodeType>
NodeType* SortChain(NodeType* chain, int length, int order)
{
    if (length < 2) {
        if (chain) chain->next = nullptr;
        return chain;
    }
    NodeType* middle = chain;
    for (int i = 0; i < length / 2; ++i) middle = middle->next;
    NodeType* left = SortChain(chain, length / 2, order);
    NodeType* right = SortChain(middle, length - length / 2, order);
    return MergeChains(left, right, order);
}

} // namespace

THeapStringList::THeapStringList() : count(0), first(nullptr), last(nullptr) {}

THeapStringList::THeapStringList(const THeapStringList& other) : THeapStringList() { AppendList(other); }

THeapStringList& THeapStringList::operator=(const THeapStringList& other)
{
    if (this != &other) {
        Clear();
        AppendList(other);
    }
    return *this;
}

THeapStringList::~THeapStringList() { Clear(); }

THeapStringList::Node* THeapStringList::NodeAt(int index) const
{
    if (index < 0) return nullptr;
    Node* node = first;
    while (node && index-- > 0) node = node->next;
    return node;
}

THeapString& THeapStringList::Item(int index) { return NodeAt(index)->text; }

const THeapString& THeapStringList::Item(int index) const { return NodeAt(index)->text; }

void THeapStringList::Unlink(Node* node)
{
    (node->previous ? node->previous->next : first) = node->next;
    (node->next ? node->next->previous : last) = node->previous;
    node->previous = nullptr;
    node->next = nullptr;
    --count;
}

void THeapStringList::LinkBefore(Node* node, Node* successor)
{
    node->next = successor;
    node->previous = successor ? successor->previous : last;
    (node->previous ? node->previous->next : first) = node;
    (successor ? successor->previous : last) = node;
    ++count;
}

void THeapStringList::Append(const char* text)
{
    LinkBefore(new Node{nullptr, nullptr, THeapString(text)}, nullptr);
}

void THeapStringList::AppendList(const THeapStringList& other)
{
    // Counted rather than walked to the end, so appending a list to itself doubles it once.
    const int otherCount = other.count;
    Node* node = other.first;
    for (int i = 0; i < otherCount; ++i, node = node->next) Append(node->text);
}

void THeapStringList::AppendArray(int arrayCount, const THeapString* array)
{
    for (int i = 0; array && i < arrayCount; ++i) Append(array[i]);
}

void THeapStringList::Insert(int index, const char* text)
{
    if (index == -1 || index >= count) {
        Append(text);
        return;
    }
    LinkBefore(new Node{nullptr, nullptr, THeapString(text)}, index <= 0 ? first : NodeAt(index));
}

void THeapStringList::Delete(int index) { DeleteRange(index, index); }

void THeapStringList::DeleteRange(int firstIndex, int lastIndex)
{
    if (firstIndex < 0) firstIndex = 0;
    if (lastIndex >= count) lastIndex = count - 1;
    Node* node = NodeAt(firstIndex);
    for (int i = firstIndex; node && i <= lastIndex; ++i) {
        Node* next = node->next;
        Unlink(node);
        delete node;
        node = next;
    }
}

void THeapStringList::Clear()
{
    if (count > 0) DeleteRange(0, count - 1);
}

void THeapStringList::MoveRange(int target, int from, int n)
{
    if (n <= 0 || n >= count || from < 0 || from > count - n) return;
    if (from <= target && target <= from + n) return;
    Node* successor = target < 0 ? nullptr : NodeAt(target); // past the end: to the end
    Node* node = NodeAt(from);
    for (int i = 0; i < n; ++i) {
        Node* next = node->next;
        Unlink(node);
        LinkBefore(node, successor);
        node = next;
    }
}

int THeapStringList::Find(const char* text) const
{
    const char* wanted = text ? text : "";
    int index = 0;
    for (Node* node = first; node; node = node->next, ++index) {
        if (std::strcmp(node->text, wanted) == 0) return index;
    }
    return -1;
}

// A merge sort of the chain: stable like the required order, and it needs no index table.
void THeapStringList::Sort(int ascending)
{
    first = SortChain(first, count, ascending == 1 ? 1 : -1);
    Node* previous = nullptr;
    for (Node* node = first; node; node = node->next) {
        node->previous = previous;
        previous = node;
    }
    last = previous;
}

void THeapStringList::SplitCommaList(const char* text)
{
    Clear();
    const char* bytes = text ? text : "";
    const int length = static_cast<int>(std::strlen(bytes));
    int position = 0;
    while (position < length) {
        int end = position;
        while (end < length && !(bytes[end] == ',' && CharLength(length - end, bytes + end) == 1)) {
            end += CharLength(length - end, bytes + end);
        }
        Append(THeapString(bytes + position, end - position));
        position = end + 1;
    }
}
