// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/list.h"

#include <algorithm>
#include <iostream>

List::Error::Error(int kind, long index) : kind_(kind)
{
    switch (kind) {
    case Index:
        std::cerr << "Error: Index " << index << " is outside list";
        break;
    case Iterator:
        std::cerr << "Error: Iterator is outside list";
        break;
    case Remove:
        std::cerr << "Error: Tried remove non-existing element";
        break;
    case Insert:
        std::cerr << "Error: Tried insert before/after non-existing element";
        break;
    default:
        std::cerr << "Error: Tried replace non-existing element";
        break;
    }
    std::cerr << std::endl;
}

ListData* List::Position::element() const
{
    if (!current_)
        throw Error(Error::Iterator);
    return current_->element;
}

void List::Position::next()
{
    if (!current_)
        throw Error(Error::Iterator);
    previous_ = current_;
    current_ = current_->next;
}

List::List() = default;

List::~List() { clear(); }

ListData* List::nullElement()
{
    static ListData shared;
    return &shared;
}

List::Node* List::newNode(ListData* element, Node* next)
{
    Node* node = free_;
    if (node) {
        free_ = node->next;
    } else {
        if (blockUsed_ == blockSize_) {
            // Blocks double from 16 nodes up to 64 KiB each.
            blockSize_ = blocks_.empty() ? 16 : std::min<std::size_t>(blockSize_ * 2, 4096);
            blocks_.push_back(std::make_unique<Node[]>(blockSize_));
            blockUsed_ = 0;
        }
        node = &blocks_.back()[blockUsed_++];
    }
    *node = Node{next, element};
    return node;
}

void List::release(Node* node, bool destroy)
{
    if (destroy && node->element->isOwned())
        delete node->element;
    node->next = free_;
    free_ = node;
}

List::Position List::begin() { return Position(head_.next, &head_); }

void List::append(ListData* element)
{
    Node* node = newNode(element, nullptr);
    (tail_ ? tail_ : &head_)->next = node;
    tail_ = node;
    ++size_;
}

void List::insert(Position& position, ListData* element)
{
    if (!position.previous_)
        throw Error(Error::Insert);
    Node* node = newNode(element, position.current_);
    position.previous_->next = node;
    if (!position.current_)
        tail_ = node;
    position.previous_ = node;
    ++size_;
}

void List::remove(Position& position, bool destroy)
{
    Node* node = position.current_;
    if (!node)
        throw Error(Error::Remove);
    if (position.previous_)
        position.previous_->next = node->next;
    if (tail_ == node)
        tail_ = position.previous_ == &head_ ? nullptr : position.previous_;
    position.current_ = node->next;
    --size_;
    release(node, destroy);
}

bool List::removeElement(const ListData* element, bool destroy)
{
    for (Position position = begin(); !position.atEnd(); position.next()) {
        if (position.element() == element) {
            remove(position, destroy);
            return true;
        }
    }
    return false;
}

ListData* List::removeFirst()
{
    Node* node = head_.next;
    if (!node)
        return nullElement();
    head_.next = node->next;
    if (tail_ == node)
        tail_ = nullptr;
    --size_;
    ListData* element = node->element;
    const bool owned = element->isOwned();
    release(node, true);
    return owned ? nullElement() : element;
}

void List::clear()
{
    // The nodes go with their blocks; only the owned elements need destroying.
    for (Node* node = head_.next; node; node = node->next) {
        if (node->element->isOwned())
            delete node->element;
    }
    head_.next = nullptr;
    tail_ = nullptr;
    size_ = 0;
    blocks_.clear();
    blockUsed_ = blockSize_ = 0;
    free_ = nullptr;
}

void List::reverse()
{
    // The list is rebuilt: owned elements are replaced by their clones.
    Node* reversed = nullptr;
    tail_ = head_.next;
    for (Node* node = head_.next; node;) {
        Node* next = node->next;
        if (node->element->isOwned()) {
            ListData* copy = node->element->clone();
            delete node->element;
            node->element = copy;
        }
        node->next = reversed;
        reversed = node;
        node = next;
    }
    head_.next = reversed;
}
