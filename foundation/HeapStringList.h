// THeapStringList: an owning doubly linked list of THeapString, addressed by walking indices.
#pragma once

#include "HeapString.h"

class THeapStringList {
public:
    THeapStringList();
    THeapStringList(const THeapStringList& other);
    THeapStringList& operator=(const THeapStringList& other);
    ~THeapStringList();

    int Count() const { return count; }
    THeapString& Item(int index);
    const THeapString& Item(int index) const;

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
