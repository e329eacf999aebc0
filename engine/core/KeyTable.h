#pragma once

// The engine's keys in the order of Key, each with the names the windowing
// layer (sf::Keyboard), the X server (keysym) and Windows (virtual key) give
// it. ORVANE_KEYS(KEY) expands KEY(engine, sfml, keysym, virtualKey) once per key;
// each user takes the column it needs, and as the others are never expanded,
// no user needs the headers that define them.
#define ORVANE_KEYS(KEY) \
    KEY(Space, Space, XK_space, VK_SPACE) \
    KEY(Return, Enter, XK_Return, VK_RETURN) \
    KEY(Escape, Escape, XK_Escape, VK_ESCAPE) \
    KEY(Tab, Tab, XK_Tab, VK_TAB) \
    KEY(Left, Left, XK_Left, VK_LEFT) \
    KEY(Right, Right, XK_Right, VK_RIGHT) \
    KEY(Up, Up, XK_Up, VK_UP) \
    KEY(Down, Down, XK_Down, VK_DOWN) \
    KEY(Pause, Pause, XK_Pause, VK_PAUSE) \
    KEY(Minus, Subtract, XK_KP_Subtract, VK_SUBTRACT) \
    KEY(Plus, Add, XK_KP_Add, VK_ADD) \
    KEY(Tilde, Tilde, XK_grave, VK_OEM_3) \
    KEY(Period, Period, XK_period, VK_OEM_PERIOD) \
    KEY(Comma, Comma, XK_comma, VK_OEM_COMMA) \
    KEY(Slash, Slash, XK_slash, VK_OEM_2) \
    KEY(Equal, Equal, XK_equal, VK_OEM_PLUS) \
    KEY(Backslash, Backslash, XK_backslash, VK_OEM_5) \
    KEY(Multiply, Multiply, XK_KP_Multiply, VK_MULTIPLY) \
    KEY(Quote, Quote, XK_apostrophe, VK_OEM_7) \
    KEY(Semicolon, Semicolon, XK_semicolon, VK_OEM_1) \
    KEY(LeftControl, LControl, XK_Control_L, VK_LCONTROL) \
    KEY(RightControl, RControl, XK_Control_R, VK_RCONTROL) \
    KEY(LeftShift, LShift, XK_Shift_L, VK_LSHIFT) \
    KEY(RightShift, RShift, XK_Shift_R, VK_RSHIFT) \
    KEY(F1, F1, XK_F1, VK_F1) \
    KEY(F2, F2, XK_F2, VK_F2) \
    KEY(F3, F3, XK_F3, VK_F3) \
    KEY(F4, F4, XK_F4, VK_F4) \
    KEY(F5, F5, XK_F5, VK_F5) \
    KEY(F6, F6, XK_F6, VK_F6) \
    KEY(F7, F7, XK_F7, VK_F7) \
    KEY(F8, F8, XK_F8, VK_F8) \
    KEY(F9, F9, XK_F9, VK_F9) \
    KEY(F10, F10, XK_F10, VK_F10) \
    KEY(F11, F11, XK_F11, VK_F11) \
    KEY(F12, F12, XK_F12, VK_F12) \
    KEY(A, A, XK_a, 'A') \
    KEY(B, B, XK_b, 'B') \
    KEY(C, C, XK_c, 'C') \
    KEY(D, D, XK_d, 'D') \
    KEY(E, E, XK_e, 'E') \
    KEY(F, F, XK_f, 'F') \
    KEY(G, G, XK_g, 'G') \
    KEY(H, H, XK_h, 'H') \
    KEY(I, I, XK_i, 'I') \
    KEY(J, J, XK_j, 'J') \
    KEY(K, K, XK_k, 'K') \
    KEY(L, L, XK_l, 'L') \
    KEY(M, M, XK_m, 'M') \
    KEY(N, N, XK_n, 'N') \
    KEY(O, O, XK_o, 'O') \
    KEY(P, P, XK_p, 'P') \
    KEY(Q, Q, XK_q, 'Q') \
    KEY(R, R, XK_r, 'R') \
    KEY(S, S, XK_s, 'S') \
    KEY(T, T, XK_t, 'T') \
    KEY(U, U, XK_u, 'U') \
    KEY(V, V, XK_v, 'V') \
    KEY(W, W, XK_w, 'W') \
    KEY(X, X, XK_x, 'X') \
    KEY(Y, Y, XK_y, 'Y') \
    KEY(Z, Z, XK_z, 'Z') \
    KEY(Num1, Num1, XK_1, '1') \
    KEY(Num2, Num2, XK_2, '2') \
    KEY(Num3, Num3, XK_3, '3') \
    KEY(Num4, Num4, XK_4, '4') \
    KEY(Num5, Num5, XK_5, '5') \
    KEY(Num6, Num6, XK_6, '6') \
    KEY(Num7, Num7, XK_7, '7') \
    KEY(Num8, Num8, XK_8, '8') \
    KEY(Num9, Num9, XK_9, '9') \
    KEY(Num0, Num0, XK_0, '0') \
    KEY(Backspace, Backspace, XK_BackSpace, VK_BACK)
