// The stack probe, which the compiler calls before setting up a stack frame larger than a page
// (4 KiB). Windows commits a thread's stack one guard page at a time, so every page of the new
// frame is touched in order, top down, before the stack pointer moves past it; skipping one would
// fault past the guard page. MSVC's runtime provides it; the two architectures' probes differ in
// who moves the stack pointer.
#if defined(_M_X64)
// __chkstk, with the frame size in rax. Like the original it changes only r10, r11 and the flags,
// and leaves rsp to the caller.
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
#elif defined(_M_IX86)
// _chkstk (and _alloca_probe, the name the compiler uses for a variable-size allocation), with the
// size in eax. Unlike x64's, it moves esp down by that size itself and returns to its caller on
// the new stack top; it keeps every register but eax and the flags. A size that would wrap below
// address 0 probes down to 0, where the guard page stops it, as MSVC's does.
__asm__(R"(
    .text
    .globl __chkstk
    .def __chkstk
    .scl 2
    .type 32
    .endef
    .globl __alloca_probe
    .def __alloca_probe
    .scl 2
    .type 32
    .endef
    .p2align 4
__chkstk:
__alloca_probe:
    pushl %ecx
    leal 4(%esp), %ecx          # where the return address is
    subl %eax, %ecx             # the new stack top
    sbbl %eax, %eax             # all ones when that wrapped
    notl %eax
    andl %eax, %ecx             # wrapped: 0
    movl %esp, %eax
    andl $-0x1000, %eax         # the page the stack top is in, touched already
1:
    cmpl %eax, %ecx
    jb 2f
    movl %ecx, %eax             # every page down to the new top is touched
    popl %ecx
    xchgl %eax, %esp            # esp: the new top; eax: where the return address is
    movl (%eax), %eax
    movl %eax, (%esp)           # the return address on the new top
    ret
2:
    subl $0x1000, %eax
    testl %eax, (%eax)          # touch the next page down
    jmp 1b
)");
#else
#error "a stack probe for this architecture is missing"
#endif
