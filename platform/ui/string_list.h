// Lists of texts (GBK) with an object per line. Strings is the abstract list a control may bind
// to its window; StringList holds its lines itself.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/persistent.h"

namespace ui {

class Strings : public Persistent {
    UI_CLASS_IDENTITY()
public:
    virtual int count() const = 0;
    virtual std::string get(int index) const = 0;
    virtual void put(int index, const std::string& text);
    virtual void* object(int index) const;
    virtual void put_object(int index, void* object);
    virtual void insert(int index, const std::string& text) = 0;
    virtual void remove(int index) = 0;
    virtual void clear() = 0;

    virtual int add(const std::string& text);
    int add_object(const std::string& text, void* object);
    // The line with its object goes to `new_index`, or trades places with the other line; lists
    // that keep more per line (a check list's states) carry it along.
    virtual void move(int cur_index, int new_index);
    virtual void exchange(int index1, int index2);
    void add_strings(const Strings& other);
    // Case-insensitive (ASCII), as lookups by name expect; -1 when absent.
    virtual int index_of(std::string_view text) const;
    int index_of_object(const void* object) const;
    // Lines joined by CR LF, each ended by one; set_text splits at CR LF, LF or CR.
    std::string text() const;
    void set_text(std::string_view text);
    // Comma-separated, quoting items holding blanks, commas or quotes with '"'.
    std::string comma_text() const;

    void begin_update();
    void end_update();
    bool updating() const { return update_count_ > 0; }

    void assign(const Persistent& source) override;
    std::vector<std::string> to_vector() const;

protected:
    // Called around each change when not updating; StringList fires its events from here.
    virtual void set_update_state(bool) {}
    // Throws the list-index error naming the index.
    [[noreturn]] void index_error(int index) const;

private:
    int update_count_ = 0;
};

class StringList : public Strings {
    UI_CLASS_IDENTITY()
public:
    StringList() = default;
    explicit StringList(std::vector<std::string> lines);

    int count() const override { return static_cast<int>(items_.size()); }
    std::string get(int index) const override;
    void put(int index, const std::string& text) override;
    void* object(int index) const override;
    void put_object(int index, void* object) override;
    void insert(int index, const std::string& text) override;
    void remove(int index) override;
    void clear() override;
    int add(const std::string& text) override;
    int index_of(std::string_view text) const override;

    bool sorted() const { return sorted_; }
    void set_sorted(bool sorted);
    void sort();

    std::function<void(StringList&)> on_change;
    std::function<void(StringList&)> on_changing;

protected:
    void set_update_state(bool updating) override;

private:
    struct Item {
        std::string text;
        void* object = nullptr;
    };
    void changing();
    void changed();
    int find_sorted(std::string_view text, bool& found) const;

    std::vector<Item> items_;
    bool sorted_ = false;
};

class StringListError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

} // namespace ui
