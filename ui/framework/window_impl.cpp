#include "ui/framework/window_impl.h"

#include <cstdio>
#include <map>

#include "ui/framework/app_module.h"
#include "ui/framework/handle_table.h"
#include "ui/framework/message_scope.h"

namespace fw {

namespace {

// The object bound to a window, and the procedure to fall back on when no
// object answers (before binding, or after its object went away early).
const wchar_t kSuperProp[] = L"Cardivane.SuperProc";

// The object whose window is being created on this thread; the first message
// of the new window binds it.
thread_local CWindowImplCore* t_pendingWindow = nullptr;

// Superclass procedures by class atom, for windows of those classes that no
// object claims (created from a template, say).
std::map<ATOM, WNDPROC>& ClassSuperProcs() {
    static std::map<ATOM, WNDPROC> procs;
    return procs;
}

WNDPROC StoredSuperProc(HWND hWnd) {
    if (auto* p = reinterpret_cast<WNDPROC>(::GetPropW(hWnd, kSuperProp))) return p;
    ATOM atom = ::GetClassWord(hWnd, GCW_ATOM);
    auto& procs = ClassSuperProcs();
    auto it = procs.find(atom);
    return it != procs.end() ? it->second : ::DefWindowProcW;
}

}  // namespace

CWindowImplCore* CWindowImplCore::FromHandle(HWND hWnd) {
    if (hWnd == nullptr) return nullptr;
    return static_cast<CWindowImplCore*>(HandleTable::Windows().Get(hWnd));
}

CWindowImplCore::~CWindowImplCore() {
    HWND hWnd = m_handle;
    if (hWnd == nullptr || !::IsWindow(hWnd) || FromHandle(hWnd) != this) return;
    // The window outlives its object: the derived parts are gone, so no
    // message may reach the dispatch function any more.
    m_dying = true;
    if (m_subclassed) {
        if (UnsubclassCore() == nullptr) {
            // Another procedure sits above ours; ours stays in the chain and
            // forwards through the stored previous procedure.
            HandleTable::Windows().Erase(hWnd);
            m_handle = nullptr;
        }
    } else {
        ::DestroyWindow(hWnd);
    }
}

void CWindowImplCore::Bind(HWND hWnd, WNDPROC superProc) {
    m_handle = hWnd;
    m_superProc = superProc;
    HandleTable::Windows().Set(hWnd, this);
    ::SetPropW(hWnd, kSuperProp, reinterpret_cast<HANDLE>(superProc));
}

void CWindowImplCore::Unbind(HWND hWnd) {
    if (m_subclassed &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) == &CWindowImplCore::WindowProc) {
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
    }
    HandleTable::Windows().Erase(hWnd);
    ::RemovePropW(hWnd, kSuperProp);
    m_subclassed = false;
    m_handle = nullptr;
}

bool CWindowImplCore::SubclassCore(HWND hWnd) {
    if (hWnd == nullptr || !::IsWindow(hWnd)) return false;
    if (m_handle != nullptr || FromHandle(hWnd) != nullptr) return false;
    auto previous = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    if (previous == nullptr) return false;
    Bind(hWnd, previous);
    m_subclassed = true;
    ::SetLastError(0);
    LONG_PTR old = ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWindowImplCore::WindowProc));
    if (old == 0 && ::GetLastError() != 0) {
        HandleTable::Windows().Erase(hWnd);
        ::RemovePropW(hWnd, kSuperProp);
        m_subclassed = false;
        m_handle = nullptr;
        return false;
    }
    return true;
}

HWND CWindowImplCore::UnsubclassCore() {
    HWND hWnd = m_handle;
    if (!m_subclassed || hWnd == nullptr) return nullptr;
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) != &CWindowImplCore::WindowProc) {
        return nullptr;
    }
    Unbind(hWnd);
    return hWnd;
}

ATOM CWindowImplCore::RegisterClassCore(const WindowClassInfo& info, const void* uniqueKey) {
    HINSTANCE module = ModuleInstance();
    wchar_t generated[64];
    const wchar_t* name = info.name;
    if (name == nullptr) {
        std::swprintf(generated, sizeof(generated) / sizeof(generated[0]), L"Cardivane:%p", uniqueKey);
        name = generated;
    }

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    WNDPROC superProc = ::DefWindowProcW;
    if (info.superclassOf != nullptr) {
        if (!::GetClassInfoExW(nullptr, info.superclassOf, &wc) &&
            !::GetClassInfoExW(module, info.superclassOf, &wc)) {
            return 0;
        }
        superProc = wc.lpfnWndProc;
        wc.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
    } else {
        wc.style = info.style;
        wc.hbrBackground = info.background;
        wc.hCursor = ::LoadCursorW(nullptr, info.cursor);
    }
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &CWindowImplCore::WindowProc;
    wc.hInstance = module;
    wc.lpszClassName = name;

    ATOM atom = ::RegisterClassExW(&wc);
    if (atom == 0) {
        // Already registered (another object of the same name): reuse it.
        WNDCLASSEXW existing{};
        existing.cbSize = sizeof(existing);
        atom = static_cast<ATOM>(::GetClassInfoExW(module, name, &existing));
        if (atom == 0) return 0;
    }
    ClassSuperProcs()[atom] = superProc;
    return atom;
}

HWND CWindowImplCore::CreateCore(ATOM atom, HWND parent, const RECT& rc, const wchar_t* name, DWORD style,
                                 DWORD exStyle, HMENU menuOrId, void* createParam) {
    if (m_handle != nullptr) return nullptr;
    CWindowImplCore* saved = t_pendingWindow;
    t_pendingWindow = this;
    HWND hWnd = ::CreateWindowExW(exStyle, MAKEINTATOM(atom), name, style, rc.left, rc.top, rc.right - rc.left,
                                  rc.bottom - rc.top, parent, menuOrId, ModuleInstance(), createParam);
    t_pendingWindow = saved;
    return hWnd;
}

LRESULT CWindowImplCore::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND hWnd = m_current != nullptr ? m_current->hwnd : m_handle;
    return ::CallWindowProcW(m_superProc, hWnd, msg, wParam, lParam);
}

LRESULT CWindowImplCore::DefWindowProc() {
    if (m_current == nullptr) return 0;
    return DefWindowProc(m_current->message, m_current->wParam, m_current->lParam);
}

LRESULT CALLBACK CWindowImplCore::WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CWindowImplCore* self = FromHandle(hWnd);
    if (self == nullptr) {
        if (t_pendingWindow == nullptr) return ::CallWindowProcW(StoredSuperProc(hWnd), hWnd, msg, wParam, lParam);
        self = t_pendingWindow;
        t_pendingWindow = nullptr;
        ATOM atom = ::GetClassWord(hWnd, GCW_ATOM);
        auto it = ClassSuperProcs().find(atom);
        self->Bind(hWnd, it != ClassSuperProcs().end() ? it->second : ::DefWindowProcW);
    }

    LRESULT result = 0;
    bool handled = false;
    {
        MessageScope scope(self->m_current, self->m_depth, hWnd, msg, wParam, lParam);
        if (!self->m_dying) handled = CallMessageMap(*self, hWnd, msg, wParam, lParam, result);
        if (!handled || msg == WM_NCDESTROY) {
            LRESULT fallback = self->DefWindowProc(msg, wParam, lParam);
            if (!handled) result = fallback;
        }
    }
    if (msg == WM_NCDESTROY) {
        self->Unbind(hWnd);
        self->m_finalPending = true;
    }
    if (self->m_finalPending && self->m_depth == 0) {
        self->m_finalPending = false;
        if (!self->m_dying) self->OnFinalMessage(hWnd);
    }
    return result;
}

}  // namespace fw
