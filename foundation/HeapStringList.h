// THeapStringList: an owning doubly linked list of THeapString, addressed by walking indices.
#pragma once

#include "foundation/HeapString.h"

class THeapStringList {
    struct Node;

public:
    // Walks the nodes in order: a whole pass without one index walk per item.
    template <typename Text>
    class Walker {
    public:
        explicit Walker(Node* at) : node(at) {}
        Text& operator*() const { return node->text; }
        Walker& operator++()
        {
            node = node->next;
            return *this;
        }
        bool operator!=(const Walker& other) const { return node != other.node; }

    private:
        Node* node;
    };

    THeapStringList();
    THeapStringList(const THeapStringList& other);
    THeapStringList& operator=(const THeapStringList& other);
    ~THeapStringList();

    int Count() const { return count; }
    THeapString& Item(int index);
    const THeapString& Item(int index) const;
    Walker<THeapString> begin() { return Walker<THeapString>(first); }
    Walker<THeapString> end() { return Walker<THeapString>(nullptr); }
    Walker<const THeapString> begin() const { return Walker<const THeapString>(first); }
    Walker<const THeapString> end() const { return Walker<const THeapString>(nullptr); }

    void Append(const char* text);
    void AppendList(const THeapStringList& other);
    void AppendArray(int arrayCount, const THeapString* array);
    void Insert(int index, const char* text);
    void Delete(int index);
    void DeleteRange(int first, int last);
    void Clear();
    void MoveRange(int target, int from, int n);
    int Find(const char* text) const;
    void Sort(int ascending);
    void SplitCommaList(const char* text);

private:
    struct Node {
        Node* previous;
        Node* next;
        THeapString text;
    };
    Node* NodeAt(int index) const;
    void Unlink(Node* node);
    void LinkBefore(Node* node, Node* successor); // successor null: at the end

    int count;
    Node* first; // owned, with every node after it
    Node* last;
};
