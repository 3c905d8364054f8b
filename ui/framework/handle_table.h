#pragma once
// Which object a window is bound to. A window property would hold it too, but
// some window systems answer GetProp with a round trip to a server process
// (tens of microseconds, paid on every message); this table stays inside the
// process. Never destroyed, so windows outliving static destruction are safe.

#include <windows.h>

#include <unordered_map>

namespace fw {

class HandleTable {
public:
    static HandleTable& Windows() {
        static HandleTable* table = new HandleTable();
        return *table;
    }
    static HandleTable& Dialogs() {
        static HandleTable* table = new HandleTable();
        return *table;
    }

    void* Get(HWND hWnd) {
        ::AcquireSRWLockShared(&m_lock);
        auto it = m_objects.find(hWnd);
        void* object = it != m_objects.end() ? it->second : nullptr;
        ::ReleaseSRWLockShared(&m_lock);
        return object;
    }
    void Set(HWND hWnd, void* object) {
        ::AcquireSRWLockExclusive(&m_lock);
        m_objects[hWnd] = object;
        ::ReleaseSRWLockExclusive(&m_lock);
    }
    void Erase(HWND hWnd) {
        ::AcquireSRWLockExclusive(&m_lock);
        m_objects.erase(hWnd);
        ::ReleaseSRWLockExclusive(&m_lock);
    }

private:
    HandleTable() = default;
    SRWLOCK m_lock = SRWLOCK_INIT;
    std::unordered_map<HWND, void*> m_objects;
};

}  // namespace fw
