// __chkstk, which the compiler calls before setting up a stack frame larger than a page (4 KiB),
// with the frame size in rax. Windows commits a thread's stack one guard page at a time, so every
// page of the new frame is touched in order, top down, before the function moves rsp; skipping one
// would fault past the guard page. MSVC's runtime provides it. Like the original it changes only
// r10, r11 and the flags, and leaves rsp to the caller.
__asm__(R"(
    .text
    .globl __chkstk
    .def __chkstk
    .scl 2
    .type 32
    .endef
    .p2align 4
__chkstk:
    leaq 8(%rsp), %r10          # the caller's rsp: above the return address
    movq %rax, %r11             # bytes still to probe
1:
    cmpq $0x1000, %r11
    jb 2f
    subq $0x1000, %r10
    testq %r10, (%r10)          # touch the next page down
    subq $0x1000, %r11
    jmp 1b
2:
    subq %r11, %r10
    testq %r10, (%r10)          # and the last, partial one
    ret
)");
