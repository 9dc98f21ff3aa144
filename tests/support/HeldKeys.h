// THeldKeys: keys held down, as GetKeyState and GetKeyboardState see them on this thread, for
// the length of a scope; the keyboard state from before comes back at its end.
#pragma once

#include <windows.h>

#include <initializer_list>

class THeldKeys {
public:
    explicit THeldKeys(std::initializer_list<int> keys = {})
    {
        GetKeyboardState(saved);
        Hold(keys);
    }
    ~THeldKeys() { SetKeyboardState(saved); }
    THeldKeys(const THeldKeys&) = delete;
    THeldKeys& operator=(const THeldKeys&) = delete;

    // The state from before with exactly these keys down in addition.
    void Hold(std::initializer_list<int> keys)
    {
        BYTE state[256];
        CopyMemory(state, saved, sizeof state);
        for (int key : keys) state[key] = 0x80;
        SetKeyboardState(state);
    }
    // One key's state byte as it is (0x80 down, 0x01 toggled).
    void Set(int key, BYTE value)
    {
        BYTE state[256];
        GetKeyboardState(state);
        state[key] = value;
        SetKeyboardState(state);
    }

private:
    BYTE saved[256];
};
