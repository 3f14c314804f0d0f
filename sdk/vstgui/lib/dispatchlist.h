// A list of listeners that may be added or removed while it is being notified:
// a listener often unregisters itself (or another) from inside a notification.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace VSTGUI {

template <class T>
class DispatchList {
public:
    void add(T* entry)
    {
        if (entry && std::find(entries.begin(), entries.end(), entry) == entries.end())
            entries.push_back(entry);
    }

    // Inside a notification the entry is only blanked, so indexes stay valid.
    void remove(T* entry)
    {
        auto it = std::find(entries.begin(), entries.end(), entry);
        if (it == entries.end())
            return;
        if (depth > 0) {
            *it = nullptr;
            blanked = true;
        } else {
            entries.erase(it);
        }
    }

    bool empty() const
    {
        return std::none_of(entries.begin(), entries.end(), [](T* entry) { return entry != nullptr; });
    }

    // Calls f for every entry, including ones added during the walk.
    template <class F>
    void forEach(F&& f)
    {
        struct Depth {
            DispatchList& list;
            explicit Depth(DispatchList& l) : list(l) { ++list.depth; }
            ~Depth()
            {
                if (--list.depth == 0 && list.blanked) {
                    list.entries.erase(std::remove(list.entries.begin(), list.entries.end(), nullptr),
                                       list.entries.end());
                    list.blanked = false;
                }
            }
        } guard(*this);
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (T* entry = entries[i])
                f(entry);
    }

private:
    std::vector<T*> entries;
    int depth = 0;
    bool blanked = false;
};

}  // namespace VSTGUI
