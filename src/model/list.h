// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

// Element base of List. An element decides through isOwned() whether a list that
// holds it destroys it (and clones it when the list is rebuilt).
class ListData {
public:
    virtual ~ListData() = default;
    virtual char kind() const { return 'U'; }
    virtual bool isOwned() const { return false; }
    virtual ListData* clone() const { return new ListData; }
};

// A singly linked list of polymorphic elements, held by pointer. Misuse (reading
// or removing past the end, inserting where there is no place) throws List::Error,
// whose construction writes its message to standard error.
class List {
    struct Node {
        Node* next;
        ListData* element;
    };

public:
    class Error {
    public:
        enum Kind { Index = 0, Iterator = 1, Remove = 2, Insert = 3, Replace = 4 };
        explicit Error(int kind, long index = 0);
        int kind() const { return kind_; }

    private:
        int kind_;
    };

    // A place in the list: the current node (null past the end) and the node
    // before it (the list head for the first place).
    class Position {
    public:
        ListData* element() const;
        bool atEnd() const { return current_ == nullptr; }
        void next();

    private:
        friend class List;
        Position(Node* current, Node* previous) : current_(current), previous_(previous) {}
        Node* current_;
        Node* previous_;
    };

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = ListData*;
        using difference_type = std::ptrdiff_t;
        using pointer = ListData* const*;
        using reference = ListData* const&;

        const_iterator() = default;
        reference operator*() const { return node_->element; }
        const_iterator& operator++()
        {
            node_ = node_->next;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            node_ = node_->next;
            return before;
        }
        bool operator==(const const_iterator&) const = default;

    private:
        friend class List;
        explicit const_iterator(const Node* node) : node_(node) {}
        const Node* node_ = nullptr;
    };

    List();
    ~List();
    List(const List&) = delete;
    List& operator=(const List&) = delete;

    Position begin();
    const_iterator cbegin() const { return const_iterator(head_.next); }
    const_iterator cend() const { return const_iterator(nullptr); }
    const_iterator begin() const { return cbegin(); }
    const_iterator end() const { return cend(); }

    bool isEmpty() const { return head_.next == nullptr; }
    std::size_t size() const { return size_; }
    ListData* first() const { return head_.next ? head_.next->element : nullElement(); }
    ListData* last() const { return tail_ ? tail_->element : nullElement(); }

    void append(ListData* element);
    void insert(Position& position, ListData* element);
    void remove(Position& position, bool destroy);
    // Unlinks the node holding exactly this element; returns false when absent.
    bool removeElement(const ListData* element, bool destroy);
    ListData* removeFirst();
    void clear();
    void reverse();

    // The shared plain element handed out where there is no element.
    static ListData* nullElement();

private:
    Node* newNode(ListData* element, Node* next);
    void release(Node* node, bool destroy);

    Node head_{nullptr, nullptr};
    Node* tail_ = nullptr;
    std::size_t size_ = 0;
    // Nodes come from blocks the list owns, not one allocation each: a chart of a
    // million boxes would otherwise spend a million allocations on its nodes.
    // Released nodes wait on a free chain; the blocks go when the list empties.
    std::vector<std::unique_ptr<Node[]>> blocks_;
    std::size_t blockUsed_ = 0;
    std::size_t blockSize_ = 0;
    Node* free_ = nullptr;
};
