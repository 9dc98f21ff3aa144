// TSeam: a product seam replaced for one scope. Whatever way the test leaves (a failed ASSERT
// included), the destructor puts the original back, so no later test runs on the replacement.
#pragma once

#include <functional>

template <typename T> struct TExactly {
    using type = T;
};

class TSeam {
public:
    // A seam whose setter installs a function and returns the one it replaced.
    template <typename TFunction>
    TSeam(TFunction (*replace)(TFunction), typename TExactly<TFunction>::type replacement)
    {
        const TFunction previous = replace(replacement);
        restore = [replace, previous] { replace(previous); };
    }
    // A seam set by one call and forgotten by another.
    TSeam(const std::function<void()>& set, void (*forget)()) : restore(forget) { set(); }
    ~TSeam() { restore(); }
    TSeam(const TSeam&) = delete;
    TSeam& operator=(const TSeam&) = delete;

private:
    std::function<void()> restore;
};
