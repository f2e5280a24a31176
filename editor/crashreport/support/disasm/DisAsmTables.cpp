// Instruction templates of the disassembler, after the opcode maps of the
// Intel architecture manual (one-byte, two-byte, groups, x87 escapes).
//
// Notation: "#" type size marker is an operand token ("#Ev ", "#Jbj"); "@" and
// two characters is a code (prefixes, table switches, size suffixes); "%c "
// at the start prints the instruction as data bytes with the rest of the text
// as a comment. Mnemonics are padded to 8 characters. See DisAsm.cpp.
#include "editor/crashreport/support/disasm/DisAsmTables.h"

namespace disasm_tables {

const char* const OneByte[256] = {
    // 00
    "add     #Eb , #Gb ", "add     #Ev , #Gv ", "add     #Gb , #Eb ", "add     #Gv , #Ev ",
    "add     al, #Hb ", "add     @eax, #Hv ", "push    es", "pop     es",
    "or      #Eb , #Gb ", "or      #Ev , #Gv ", "or      #Gb , #Eb ", "or      #Gv , #Ev ",
    "or      al, #Hb ", "or      @eax, #Hv ", "push    cs", "@c2",
    // 10
    "adc     #Eb , #Gb ", "adc     #Ev , #Gv ", "adc     #Gb , #Eb ", "adc     #Gv , #Ev ",
    "adc     al, #Hb ", "adc     @eax, #Hv ", "push    ss", "pop     ss",
    "sbb     #Eb , #Gb ", "sbb     #Ev , #Gv ", "sbb     #Gb , #Eb ", "sbb     #Gv , #Ev ",
    "sbb     al, #Hb ", "sbb     @eax, #Hv ", "push    ds", "pop     ds",
    // 20
    "and     #Eb , #Gb ", "and     #Ev , #Gv ", "and     #Gb , #Eb ", "and     #Gv , #Ev ",
    "and     al, #Hb ", "and     @eax, #Hv ", "@pe", "daa",
    "sub     #Eb , #Gb ", "sub     #Ev , #Gv ", "sub     #Gb , #Eb ", "sub     #Gv , #Ev ",
    "sub     al, #Hb ", "sub     @eax, #Hv ", "@pc", "das",
    // 30
    "xor     #Eb , #Gb ", "xor     #Ev , #Gv ", "xor     #Gb , #Eb ", "xor     #Gv , #Ev ",
    "xor     al, #Hb ", "xor     @eax, #Hv ", "@ps", "aaa",
    "cmp     #Eb , #Gb ", "cmp     #Ev , #Gv ", "cmp     #Gb , #Eb ", "cmp     #Gv , #Ev ",
    "cmp     al, #Hb ", "cmp     @eax, #Hv ", "@pd", "aas",
    // 40
    "inc     @eax", "inc     @ecx", "inc     @edx", "inc     @ebx",
    "inc     @esp", "inc     @ebp", "inc     @esi", "inc     @edi",
    "dec     @eax", "dec     @ecx", "dec     @edx", "dec     @ebx",
    "dec     @esp", "dec     @ebp", "dec     @esi", "dec     @edi",
    // 50
    "push    @eax", "push    @ecx", "push    @edx", "push    @ebx",
    "push    @esp", "push    @ebp", "push    @esi", "push    @edi",
    "pop     @eax", "pop     @ecx", "pop     @edx", "pop     @ebx",
    "pop     @esp", "pop     @ebp", "pop     @esi", "pop     @edi",
    // 60
    "pusha@o4", "popa@o4", "bound   #Gv , #Ma ", "arpl    #Ew , #Gw ",
    "@pf", "@pg", "@so", "@sa",
    "push    #Iv ", "imul    #Gv , #Ev , #Iv ", "push    #Hb ", "imul    #Gv , #Ev , #Hb ",
    "insb", "ins@o4", "outsb", "outs@o4",
    // 70
    "jo      #Jbj", "jno     #Jbj", "jb      #Jbj", "jnb     #Jbj",
    "jz      #Jbj", "jnz     #Jbj", "jbe     #Jbj", "jnbe    #Jbj",
    "js      #Jbj", "jns     #Jbj", "jp      #Jbj", "jnp     #Jbj",
    "jl      #Jbj", "jnl     #Jbj", "jle     #Jbj", "jnle    #Jbj",
    // 80
    "@ga#Eb , #Ib ", "@ga#Ev , #Iv ", "@ga#Eb , #Ib ", "@ga#Ev , #Hb ",
    "test    #Eb , #Gb ", "test    #Ev , #Gv ", "xchg    #Eb , #Gb ", "xchg    #Ev , #Gv ",
    "mov     #Eb , #Gb ", "mov     #Ev , #Gv ", "mov     #Gb , #Eb ", "mov     #Gv , #Ev ",
    "mov     #Ew , #Sw ", "lea     #Gv , #M  ", "mov     #Sw , #Ew ", "pop     #Ev ",
    // 90
    "nop", "xchg    @ecx, @eax", "xchg    @edx, @eax", "xchg    @ebx, @eax",
    "xchg    @esp, @eax", "xchg    @ebp, @eax", "xchg    @esi, @eax", "xchg    @edi, @eax",
    "c@o2@o4@e ", "c@o4@o8", "call    #Ap ", "wait",
    "pushf@o4#Fv ", "popf@o4#Fv ", "sahf", "lahf",
    // A0
    "mov     al, #Ob ", "mov     @eax, #Ov ", "mov     #Ob , al", "mov     #Ov , @eax",
    "movsb", "movs@o4", "cmpsb", "cmps@o4",
    "test    al, #Ib ", "test    @eax, #Iv ", "stosb", "stos@o4",
    "lodsb", "lods@o4", "scasb", "scas@o4",
    // B0
    "mov     al, #Ib ", "mov     cl, #Ib ", "mov     dl, #Ib ", "mov     bl, #Ib ",
    "mov     ah, #Ib ", "mov     ch, #Ib ", "mov     dh, #Ib ", "mov     bh, #Ib ",
    "mov     @eax, #Iv ", "mov     @ecx, #Iv ", "mov     @edx, #Iv ", "mov     @ebx, #Iv ",
    "mov     @esp, #Iv ", "mov     @ebp, #Iv ", "mov     @esi, #Iv ", "mov     @edi, #Iv ",
    // C0
    "@gb#Eb , #Ib ", "@gb#Ev , #Ib ", "ret     #Lw ", "ret",
    "%c les     #Gv , #Mp ", "%c lds     #Gv , #Mp ", "mov     #Eb , #Ib ", "mov     #Ev , #Iv ",
    "enter   #Lw , #Ib ", "leave", "retf    #Lw ", "retf",
    "int     3", "int     #Ib ", "into", "iret@o4",
    // D0
    "@gb#Eb , 1", "@gb#Ev , 1", "@gb#Eb , cl", "@gb#Ev , cl",
    "aam     #Ib ", "aad     #Ib ", "%c ", "xlat",
    "@ca", "@cb", "@cc", "@cd",
    "@ce", "@cf", "@cg", "@ch",
    // E0
    "loopne  #Jbj", "loope   #Jbj", "loop    #Jbj", "jecxz   #Jbj",
    "in      al, #Ib ", "in      @eax, #Ib ", "out     #Ib , al", "out     #Ib , @eax",
    "call    #Jvc", "jmp     #Jvj", "jmp     #Ap ", "jmp     #Jbj",
    "in      al, dx", "in      @eax, dx", "out     dx, al", "out     dx, @eax",
    // F0
    "lock", "int1", "repne", "rep",
    "hlt", "cmc", "@gc#Eb @h1", "@gc#Ev @h2",
    "clc", "stc", "cli", "sti",
    "cld", "std", "@gd@h3", "@ge@h4",
};

const char* const TwoByte[256] = {
    // 0F 00
    "@gf", "@gg", "lar     #Gv , #Ew ", "lsl     #Gv , #Ew ",
    "%c ", "syscall", "clts", "sysret",
    "invd", "wbinvd", "%c ", "ud2",
    "%c ", "prefetch #Mb ", "%c femms", "%c 3dnow   #Pq , #Qq , #Ib ",
    // 0F 10
    "%c movups  #Vx , #Wx ", "%c movups  #Wx , #Vx ", "%c movlps  #Vq , #Wq ", "%c movlps  #Wq , #Vq ",
    "%c unpcklps #Vx , #Wx ", "%c unpckhps #Vx , #Wx ", "%c movhps  #Vq , #Wq ", "%c movhps  #Wq , #Vq ",
    "@gj", "nop     #Ev ", "nop     #Ev ", "nop     #Ev ",
    "nop     #Ev ", "nop     #Ev ", "nop     #Ev ", "nop     #Ev ",
    // 0F 20
    "mov     #Rd , #Cd ", "mov     #Rd , #Dd ", "mov     #Cd , #Rd ", "mov     #Dd , #Rd ",
    "mov     #Rd , #Td ", "%c ", "mov     #Td , #Rd ", "%c ",
    "%c movaps  #Vx , #Wx ", "%c movaps  #Wx , #Vx ", "%c cvtpi2ps #Vx , #Qq ", "%c movntps #Mx , #Vx ",
    "%c cvttps2pi #Pq , #Wq ", "%c cvtps2pi #Pq , #Wq ", "%c ucomiss #Vx , #Wd ", "%c comiss  #Vx , #Wd ",
    // 0F 30
    "wrmsr", "rdtsc", "rdmsr", "rdpmc",
    "sysenter", "sysexit", "%c ", "getsec",
    "%c op38    #Ib , #Vx , #Wx ", "%c ", "%c op3a    #Ib , #Vx , #Wx , #Ib ", "%c ",
    "%c ", "%c ", "%c ", "%c ",
    // 0F 40
    "cmovo   #Gv , #Ev ", "cmovno  #Gv , #Ev ", "cmovb   #Gv , #Ev ", "cmovnb  #Gv , #Ev ",
    "cmovz   #Gv , #Ev ", "cmovnz  #Gv , #Ev ", "cmovbe  #Gv , #Ev ", "cmovnbe #Gv , #Ev ",
    "cmovs   #Gv , #Ev ", "cmovns  #Gv , #Ev ", "cmovp   #Gv , #Ev ", "cmovnp  #Gv , #Ev ",
    "cmovl   #Gv , #Ev ", "cmovnl  #Gv , #Ev ", "cmovle  #Gv , #Ev ", "cmovnle #Gv , #Ev ",
    // 0F 50
    "%c movmskps #Gd , #Wx ", "%c sqrtps  #Vx , #Wx ", "%c rsqrtps #Vx , #Wx ", "%c rcpps   #Vx , #Wx ",
    "%c andps   #Vx , #Wx ", "%c andnps  #Vx , #Wx ", "%c orps    #Vx , #Wx ", "%c xorps   #Vx , #Wx ",
    "%c addps   #Vx , #Wx ", "%c mulps   #Vx , #Wx ", "%c cvtps2pd #Vx , #Wq ", "%c cvtdq2ps #Vx , #Wx ",
    "%c subps   #Vx , #Wx ", "%c minps   #Vx , #Wx ", "%c divps   #Vx , #Wx ", "%c maxps   #Vx , #Wx ",
    // 0F 60
    "%c punpcklbw #Pq , #Qd ", "%c punpcklwd #Pq , #Qd ", "%c punpckldq #Pq , #Qd ", "%c packsswb #Pq , #Qq ",
    "%c pcmpgtb #Pq , #Qq ", "%c pcmpgtw #Pq , #Qq ", "%c pcmpgtd #Pq , #Qq ", "%c packuswb #Pq , #Qq ",
    "%c punpckhbw #Pq , #Qq ", "%c punpckhwd #Pq , #Qq ", "%c punpckhdq #Pq , #Qq ", "%c packssdw #Pq , #Qq ",
    "%c punpcklqdq #Vx , #Wx ", "%c punpckhqdq #Vx , #Wx ", "%c movd    #Pd , #Ed ", "%c movq    #Pq , #Qq ",
    // 0F 70
    "%c pshufw  #Pq , #Qq , #Ib ", "@gl", "@gm", "@gn",
    "%c pcmpeqb #Pq , #Qq ", "%c pcmpeqw #Pq , #Qq ", "%c pcmpeqd #Pq , #Qq ", "%c emms",
    "%c vmread  #Ed , #Gd ", "%c vmwrite #Gd , #Ed ", "%c ", "%c ",
    "%c haddpd  #Vx , #Wx ", "%c hsubpd  #Vx , #Wx ", "%c movd    #Ed , #Pd ", "%c movq    #Qq , #Pq ",
    // 0F 80
    "jo      #Jvj", "jno     #Jvj", "jb      #Jvj", "jnb     #Jvj",
    "jz      #Jvj", "jnz     #Jvj", "jbe     #Jvj", "jnbe    #Jvj",
    "js      #Jvj", "jns     #Jvj", "jp      #Jvj", "jnp     #Jvj",
    "jl      #Jvj", "jnl     #Jvj", "jle     #Jvj", "jnle    #Jvj",
    // 0F 90
    "seto    #Eb ", "setno   #Eb ", "setb    #Eb ", "setnb   #Eb ",
    "setz    #Eb ", "setnz   #Eb ", "setbe   #Eb ", "setnbe  #Eb ",
    "sets    #Eb ", "setns   #Eb ", "setp    #Eb ", "setnp   #Eb ",
    "setl    #Eb ", "setnl   #Eb ", "setle   #Eb ", "setnle  #Eb ",
    // 0F A0
    "push    fs", "pop     fs", "cpuid", "bt      #Ev , #Gv ",
    "shld    #Ev , #Gv , #Ib ", "shld    #Ev , #Gv , cl", "%c padlock #Ev ", "%c padlock #Ev ",
    "push    gs", "pop     gs", "rsm", "bts     #Ev , #Gv ",
    "shrd    #Ev , #Gv , #Ib ", "shrd    #Ev , #Gv , cl", "@gk", "imul    #Gv , #Ev ",
    // 0F B0
    "cmpxchg #Eb , #Gb ", "cmpxchg #Ev , #Gv ", "lss     #Gv , #Mp ", "btr     #Ev , #Gv ",
    "lfs     #Gv , #Mp ", "lgs     #Gv , #Mp ", "movzx   #Gv , @m #Eb ", "movzx   #Gv , @m #Ew ",
    "popcnt  #Gv , #Ev ", "ud1     #Gv , #Ev ", "@gh", "btc     #Ev , #Gv ",
    "bsf     #Gv , #Ev ", "bsr     #Gv , #Ev ", "movsx   #Gv , @m #Eb ", "movsx   #Gv , @m #Ew ",
    // 0F C0
    "xadd    #Eb , #Gb ", "xadd    #Ev , #Gv ", "%c cmpps   #Vx , #Wx , #Ib ", "movnti  #Md , #Gd ",
    "%c pinsrw  #Pq , #Ed , #Ib ", "%c pextrw  #Gd , #Qq , #Ib ", "%c shufps  #Vx , #Wx , #Ib ", "@gi",
    "bswap   @eax", "bswap   @ecx", "bswap   @edx", "bswap   @ebx",
    "bswap   @esp", "bswap   @ebp", "bswap   @esi", "bswap   @edi",
    // 0F D0
    "%c addsubpd #Vx , #Wx ", "%c psrlw   #Pq , #Qq ", "%c psrld   #Pq , #Qq ", "%c psrlq   #Pq , #Qq ",
    "%c paddq   #Pq , #Qq ", "%c pmullw  #Pq , #Qq ", "%c movq    #Wq , #Vq ", "%c pmovmskb #Gd , #Qq ",
    "%c psubusb #Pq , #Qq ", "%c psubusw #Pq , #Qq ", "%c pminub  #Pq , #Qq ", "%c pand    #Pq , #Qq ",
    "%c paddusb #Pq , #Qq ", "%c paddusw #Pq , #Qq ", "%c pmaxub  #Pq , #Qq ", "%c pandn   #Pq , #Qq ",
    // 0F E0
    "%c pavgb   #Pq , #Qq ", "%c psraw   #Pq , #Qq ", "%c psrad   #Pq , #Qq ", "%c pavgw   #Pq , #Qq ",
    "%c pmulhuw #Pq , #Qq ", "%c pmulhw  #Pq , #Qq ", "%c cvttpd2dq #Vx , #Wx ", "%c movntq  #Mq , #Pq ",
    "%c psubsb  #Pq , #Qq ", "%c psubsw  #Pq , #Qq ", "%c pminsw  #Pq , #Qq ", "%c por     #Pq , #Qq ",
    "%c paddsb  #Pq , #Qq ", "%c paddsw  #Pq , #Qq ", "%c pmaxsw  #Pq , #Qq ", "%c pxor    #Pq , #Qq ",
    // 0F F0
    "%c lddqu   #Vx , #Mx ", "%c psllw   #Pq , #Qq ", "%c pslld   #Pq , #Qq ", "%c psllq   #Pq , #Qq ",
    "%c pmuludq #Pq , #Qq ", "%c pmaddwd #Pq , #Qq ", "%c psadbw  #Pq , #Qq ", "%c maskmovq #Pq , #Qq ",
    "%c psubb   #Pq , #Qq ", "%c psubw   #Pq , #Qq ", "%c psubd   #Pq , #Qq ", "%c psubq   #Pq , #Qq ",
    "%c paddb   #Pq , #Qq ", "%c paddw   #Pq , #Qq ", "%c paddd   #Pq , #Qq ", "%c ud0     #Gv , #Ev ",
};

const char* const Groups[GroupCount][8] = {
    { // a
        "add     ", "or      ", "adc     ", "sbb     ",
        "and     ", "sub     ", "xor     ", "cmp     ",
    },
    { // b
        "rol     ", "ror     ", "rcl     ", "rcr     ",
        "shl     ", "shr     ", "shl     ", "sar     ",
    },
    { // c
        "test    ", "test    ", "not     ", "neg     ",
        "mul     ", "imul    ", "div     ", "idiv    ",
    },
    { // d
        "inc     ", "dec     ", "%c ", "%c ",
        "%c ", "%c ", "%c ", "%c ",
    },
    { // e
        "inc     ", "dec     ", "call    ", "call    far ",
        "jmp     ", "jmp     far ", "push    ", "%c ",
    },
    { // f
        "sldt    #Ew ", "str     #Ew ", "lldt    #Ew ", "ltr     #Ew ",
        "verr    #Ew ", "verw    #Ew ", "%c ", "%c ",
    },
    { // g
        "sgdt    #Ms ", "sidt    #Ms ", "lgdt    #Ms ", "lidt    #Ms ",
        "smsw    #Ew ", "%c rstorssp #Mq ", "lmsw    #Ew ", "invlpg  #Mb ",
    },
    { // h
        "%c ", "%c ", "%c ", "%c ",
        "bt      #Ev , #Ib ", "bts     #Ev , #Ib ", "btr     #Ev , #Ib ", "btc     #Ev , #Ib ",
    },
    { // i
        "%c ", "cmpxchg8b #Mq ", "%c ", "xrstors #M  ",
        "xsavec  #M  ", "xsaves  #M  ", "rdrand  #Ev ", "rdseed  #Ev ",
    },
    { // j
        "prefetchnta #Mb ", "prefetcht0 #Mb ", "prefetcht1 #Mb ", "prefetcht2 #Mb ",
        "nop     #Ev ", "nop     #Ev ", "nop     #Ev ", "nop     #Ev ",
    },
    { // k
        "fxsave  #M  ", "fxrstor #M  ", "ldmxcsr #Md ", "stmxcsr #Md ",
        "xsave   #M  ", "xrstor  #M  ", "xsaveopt #M  ", "clflush #Mb ",
    },
    { // l
        "%c ", "%c ", "%c psrlw   #Qq , #Ib ", "%c ",
        "%c psraw   #Qq , #Ib ", "%c ", "%c psllw   #Qq , #Ib ", "%c ",
    },
    { // m
        "%c ", "%c ", "%c psrld   #Qq , #Ib ", "%c ",
        "%c psrad   #Qq , #Ib ", "%c ", "%c pslld   #Qq , #Ib ", "%c ",
    },
    { // n
        "%c ", "%c ", "%c psrlq   #Qq , #Ib ", "%c psrldq  #Wx , #Ib ",
        "%c ", "%c ", "%c psllq   #Qq , #Ib ", "%c pslldq  #Wx , #Ib ",
    },
};

const char* const GroupTails[GroupTailCount][8] = {
    { // 1
        ", #Ib ", ", #Ib ", "", "", "", "", "", "",
    },
    { // 2
        ", #Iv ", ", #Iv ", "", "", "", "", "", "",
    },
    { // 3
        "#Eb ", "#Eb ", "", "", "", "", "", "",
    },
    { // 4
        "#Ev ", "#Ev ", "#Ev ", "#Ep ", "#Ev ", "#Ep ", "#Ev ", "",
    },
};

const char* const X87[8][72] = {
    { // D8: memory forms by the reg field, then ModRM C0 to FF
        "fadd    #Md ", "fmul    #Md ", "fcom    #Md ", "fcomp   #Md ",
        "fsub    #Md ", "fsubr   #Md ", "fdiv    #Md ", "fdivr   #Md ",
        // C0
        "fadd    st(0), st(0)", "fadd    st(0), st(1)", "fadd    st(0), st(2)", "fadd    st(0), st(3)",
        "fadd    st(0), st(4)", "fadd    st(0), st(5)", "fadd    st(0), st(6)", "fadd    st(0), st(7)",
        // C8
        "fmul    st(0), st(0)", "fmul    st(0), st(1)", "fmul    st(0), st(2)", "fmul    st(0), st(3)",
        "fmul    st(0), st(4)", "fmul    st(0), st(5)", "fmul    st(0), st(6)", "fmul    st(0), st(7)",
        // D0
        "fcom    st(0)", "fcom    st(1)", "fcom    st(2)", "fcom    st(3)",
        "fcom    st(4)", "fcom    st(5)", "fcom    st(6)", "fcom    st(7)",
        // D8
        "fcomp   st(0)", "fcomp   st(1)", "fcomp   st(2)", "fcomp   st(3)",
        "fcomp   st(4)", "fcomp   st(5)", "fcomp   st(6)", "fcomp   st(7)",
        // E0
        "fsub    st(0), st(0)", "fsub    st(0), st(1)", "fsub    st(0), st(2)", "fsub    st(0), st(3)",
        "fsub    st(0), st(4)", "fsub    st(0), st(5)", "fsub    st(0), st(6)", "fsub    st(0), st(7)",
        // E8
        "fsubr   st(0), st(0)", "fsubr   st(0), st(1)", "fsubr   st(0), st(2)", "fsubr   st(0), st(3)",
        "fsubr   st(0), st(4)", "fsubr   st(0), st(5)", "fsubr   st(0), st(6)", "fsubr   st(0), st(7)",
        // F0
        "fdiv    st(0), st(0)", "fdiv    st(0), st(1)", "fdiv    st(0), st(2)", "fdiv    st(0), st(3)",
        "fdiv    st(0), st(4)", "fdiv    st(0), st(5)", "fdiv    st(0), st(6)", "fdiv    st(0), st(7)",
        // F8
        "fdivr   st(0), st(0)", "fdivr   st(0), st(1)", "fdivr   st(0), st(2)", "fdivr   st(0), st(3)",
        "fdivr   st(0), st(4)", "fdivr   st(0), st(5)", "fdivr   st(0), st(6)", "fdivr   st(0), st(7)",
    },
    { // D9: memory forms by the reg field, then ModRM C0 to FF
        "fld     #Md ", "%c ", "fst     #Md ", "fstp    #Md ",
        "fldenv  #M  ", "fldcw   #Mw ", "fnstenv #M  ", "fnstcw  #Mw ",
        // C0
        "fld     st(0)", "fld     st(1)", "fld     st(2)", "fld     st(3)",
        "fld     st(4)", "fld     st(5)", "fld     st(6)", "fld     st(7)",
        // C8
        "fxch    st(0)", "fxch    st(1)", "fxch    st(2)", "fxch    st(3)",
        "fxch    st(4)", "fxch    st(5)", "fxch    st(6)", "fxch    st(7)",
        // D0
        "fnop", "%c ", "%c ", "%c ",
        "%c ", "%c ", "%c ", "%c ",
        // D8
        "%c ", "%c ", "%c ", "%c ",
        "%c ", "%c ", "%c ", "%c ",
        // E0
        "fchs", "fabs", "%c ", "%c ",
        "ftst", "fxam", "%c ", "%c ",
        // E8
        "fld1", "fldl2t", "fldl2e", "fldpi",
        "fldlg2", "fldln2", "fldz", "%c ",
        // F0
        "f2xm1", "fyl2x", "fptan", "fpatan",
        "fxtract", "fprem1", "fdecstp", "fincstp",
        // F8
        "fprem", "fyl2xp1", "fsqrt", "fsincos",
        "frndint", "fscale", "fsin", "fcos",
    },
    { // DA: memory forms by the reg field, then ModRM C0 to FF
        "fiadd   #Md ", "fimul   #Md ", "ficom   #Md ", "ficomp  #Md ",
        "fisub   #Md ", "fisubr  #Md ", "fidiv   #Md ", "fidivr  #Md ",
        // C0
        "fcmovb  st(0), st(0)", "fcmovb  st(0), st(1)", "fcmovb  st(0), st(2)", "fcmovb  st(0), st(3)",
        "fcmovb  st(0), st(4)", "fcmovb  st(0), st(5)", "fcmovb  st(0), st(6)", "fcmovb  st(0), st(7)",
        // C8
        "fcmove  st(0), st(0)", "fcmove  st(0), st(1)", "fcmove  st(0), st(2)", "fcmove  st(0), st(3)",
        "fcmove  st(0), st(4)", "fcmove  st(0), st(5)", "fcmove  st(0), st(6)", "fcmove  st(0), st(7)",
        // D0
        "fcmovbe st(0), st(0)", "fcmovbe st(0), st(1)", "fcmovbe st(0), st(2)", "fcmovbe st(0), st(3)",
        "fcmovbe st(0), st(4)", "fcmovbe st(0), st(5)", "fcmovbe st(0), st(6)", "fcmovbe st(0), st(7)",
        // D8
        "fcmovu  st(0), st(0)", "fcmovu  st(0), st(1)", "fcmovu  st(0), st(2)", "fcmovu  st(0), st(3)",
        "fcmovu  st(0), st(4)", "fcmovu  st(0), st(5)", "fcmovu  st(0), st(6)", "fcmovu  st(0), st(7)",
        // E0
        "%c ", "%c ", "%c ", "%c ",
        "%c ", "%c ", "%c ", "%c ",
        // E8
        "%c ", "fucompp", "%c ", "%c ",
        "%c ", "%c ", "%c ", "%c ",
        // F0
        "%c ", "%c ", "%c ", "%c ",
        "%c ", "%c ", "%c ", "%c ",
        // F8
        "%c ", "%c ", "%c ", "%c ",
        "%c ", "%c ", "%c ", "%c ",
    },
    { // DB: memory forms by the reg field, then ModRM C0 to FF
        "fild    #Md ", "fisttp  #Md ", "fist    #Md ", "fistp   #Md ",
        "%c ", "fld     #Mt ", "%c ", "fstp    #Mt ",
        // C0
        "fcmovnb st(0), st(0)", "fcmovnb st(0), st(1)", "fcmovnb st(0), st(2)", "fcmovnb st(0), st(3)",
        "fcmovnb st(0), st(4)", "fcmovnb st(0), st(5)", "fcmovnb st(0), st(6)", "fcmovnb st(0), st(7)",
        // C8
        "fcmovne st(0), st(0)", "fcmovne st(0), st(1)", "fcmovne st(0), st(2)", "fcmovne st(0), st(3)",
        "fcmovne st(0), st(4)", "fcmovne st(0), st(5)", "fcmovne st(0), st(6)", "fcmovne st(0), st(7)",
        // D0
        "fcmovnbe st(0), st(0)", "fcmovnbe st(0), st(1)", "fcmovnbe st(0), st(2)", "fcmovnbe st(0), st(3)",
        "fcmovnbe st(0), st(4)", "fcmovnbe st(0), st(5)", "fcmovnbe st(0), st(6)", "fcmovnbe st(0), st(7)",
        // D8
        "fcmovnu st(0), st(0)", "fcmovnu st(0), st(1)", "fcmovnu st(0), st(2)", "fcmovnu st(0), st(3)",
        "fcmovnu st(0), st(4)", "fcmovnu st(0), st(5)", "fcmovnu st(0), st(6)", "fcmovnu st(0), st(7)",
        // E0
        "%c ", "%c ", "fnclex", "fninit",
        "%c ", "%c ", "%c ", "%c ",
        // E8
        "fucomi  st(0), st(0)", "fucomi  st(0), st(1)", "fucomi  st(0), st(2)", "fucomi  st(0), st(3)",
        "fucomi  st(0), st(4)", "fucomi  st(0), st(5)", "fucomi  st(0), st(6)", "fucomi  st(0), st(7)",
        // F0
        "fcomi   st(0), st(0)", "fcomi   st(0), st(1)", "fcomi   st(0), st(2)", "fcomi   st(0), st(3)",
        "fcomi   st(0), st(4)", "fcomi   st(0), st(5)", "fcomi   st(0), st(6)", "fcomi   st(0), st(7)",
        // F8
        "%c ", "%c ", "%c ", "%c ",
        "%c ", "%c ", "%c ", "%c ",
    },
    { // DC: memory forms by the reg field, then ModRM C0 to FF
        "fadd    #Mq ", "fmul    #Mq ", "fcom    #Mq ", "fcomp   #Mq ",
        "fsub    #Mq ", "fsubr   #Mq ", "fdiv    #Mq ", "fdivr   #Mq ",
        // C0
        "fadd    st(0), st(0)", "fadd    st(1), st(0)", "fadd    st(2), st(0)", "fadd    st(3), st(0)",
        "fadd    st(4), st(0)", "fadd    st(5), st(0)", "fadd    st(6), st(0)", "fadd    st(7), st(0)",
        // C8
        "fmul    st(0), st(0)", "fmul    st(1), st(0)", "fmul    st(2), st(0)", "fmul    st(3), st(0)",
        "fmul    st(4), st(0)", "fmul    st(5), st(0)", "fmul    st(6), st(0)", "fmul    st(7), st(0)",
        // D0
        "%c ", "%c ", "%c ", "%c ",
        "%c ", "%c ", "%c ", "%c ",
        // D8
        "%c ", "%c ", "%c ", "%c ",
        "%c ", "%c ", "%c ", "%c ",
        // E0
        "fsubr   st(0), st(0)", "fsubr   st(1), st(0)", "fsubr   st(2), st(0)", "fsubr   st(3), st(0)",
        "fsubr   st(4), st(0)", "fsubr   st(5), st(0)", "fsubr   st(6), st(0)", "fsubr   st(7), st(0)",
        // E8
        "fsub    st(0), st(0)", "fsub    st(1), st(0)", "fsub    st(2), st(0)", "fsub    st(3), st(0)",
        "fsub    st(4), st(0)", "fsub    st(5), st(0)", "fsub    st(6), st(0)", "fsub    st(7), st(0)",
        // F0
        "fdivr   st(0), st(0)", "fdivr   st(1), st(0)", "fdivr   st(2), st(0)", "fdivr   st(3), st(0)",
        "fdivr   st(4), st(0)", "fdivr   st(5), st(0)", "fdivr   st(6), st(0)", "fdivr   st(7), st(0)",
        // F8
        "fdiv    st(0), st(0)", "fdiv    st(1), st(0)", "fdiv    st(2), st(0)", "fdiv    st(3), st(0)",
        "fdiv    st(4), st(0)", "fdiv    st(5), st(0)", "fdiv    st(6), st(0)", "fdiv    st(7), st(0)",
    },
    { // DD: memory forms by the reg field, then ModRM C0 to FF
        "fld     #Mq ", "fisttp  #Mq ", "fst     #Mq ", "fstp    #Mq ",
        "frstor  #M  ", "%c ", "fnsave  #M  ", "fnstsw  #Mw ",
        // C0
        "ffree   st(0)", "ffree   st(1)", "ffree   st(2)", "ffree   st(3)",
        "ffree   st(4)", "ffree   st(5)", "ffree   st(6)", "ffree   st(7)",
        // C8
        "%c ", "%c ", "%c ", "%c ",
        "%c ", "%c ", "%c ", "%c ",
        // D0
        "fst     st(0)", "fst     st(1)", "fst     st(2)", "fst     st(3)",
        "fst     st(4)", "fst     st(5)", "fst     st(6)", "fst     st(7)",
        // D8
        "fstp    st(0)", "fstp    st(1)", "fstp    st(2)", "fstp    st(3)",
        "fstp    st(4)", "fstp    st(5)", "fstp    st(6)", "fstp    st(7)",
        // E0
        "fucom   st(0)", "fucom   st(1)", "fucom   st(2)", "fucom   st(3)",
        "fucom   st(4)", "fucom   st(5)", "fucom   st(6)", "fucom   st(7)",
        // E8
        "fucomp  st(0)", "fucomp  st(1)", "fucomp  st(2)", "fucomp  st(3)",
        "fucomp  st(4)", "fucomp  st(5)", "fucomp  st(6)", "fucomp  st(7)",
        // F0
        "%c ", "%c ", "%c ", "%c ",
        "%c ", "%c ", "%c ", "%c ",
        // F8
        "%c ", "%c ", "%c ", "%c ",
        "%c ", "%c ", "%c ", "%c ",
    },
    { // DE: memory forms by the reg field, then ModRM C0 to FF
        "fiadd   #Mw ", "fimul   #Mw ", "ficom   #Mw ", "ficomp  #Mw ",
        "fisub   #Mw ", "fisubr  #Mw ", "fidiv   #Mw ", "fidivr  #Mw ",
        // C0
        "faddp   st(0), st(0)", "faddp   st(1), st(0)", "faddp   st(2), st(0)", "faddp   st(3), st(0)",
        "faddp   st(4), st(0)", "faddp   st(5), st(0)", "faddp   st(6), st(0)", "faddp   st(7), st(0)",
        // C8
        "fmulp   st(0), st(0)", "fmulp   st(1), st(0)", "fmulp   st(2), st(0)", "fmulp   st(3), st(0)",
        "fmulp   st(4), st(0)", "fmulp   st(5), st(0)", "fmulp   st(6), st(0)", "fmulp   st(7), st(0)",
        // D0
        "%c ", "%c ", "%c ", "%c ",
        "%c ", "%c ", "%c ", "%c ",
        // D8
        "%c ", "fcompp", "%c ", "%c ",
        "%c ", "%c ", "%c ", "%c ",
        // E0
        "fsubrp  st(0), st(0)", "fsubrp  st(1), st(0)", "fsubrp  st(2), st(0)", "fsubrp  st(3), st(0)",
        "fsubrp  st(4), st(0)", "fsubrp  st(5), st(0)", "fsubrp  st(6), st(0)", "fsubrp  st(7), st(0)",
        // E8
        "fsubp   st(0), st(0)", "fsubp   st(1), st(0)", "fsubp   st(2), st(0)", "fsubp   st(3), st(0)",
        "fsubp   st(4), st(0)", "fsubp   st(5), st(0)", "fsubp   st(6), st(0)", "fsubp   st(7), st(0)",
        // F0
        "fdivrp  st(0), st(0)", "fdivrp  st(1), st(0)", "fdivrp  st(2), st(0)", "fdivrp  st(3), st(0)",
        "fdivrp  st(4), st(0)", "fdivrp  st(5), st(0)", "fdivrp  st(6), st(0)", "fdivrp  st(7), st(0)",
        // F8
        "fdivp   st(0), st(0)", "fdivp   st(1), st(0)", "fdivp   st(2), st(0)", "fdivp   st(3), st(0)",
        "fdivp   st(4), st(0)", "fdivp   st(5), st(0)", "fdivp   st(6), st(0)", "fdivp   st(7), st(0)",
    },
    { // DF: memory forms by the reg field, then ModRM C0 to FF
        "fild    #Mw ", "fisttp  #Mw ", "fist    #Mw ", "fistp   #Mw ",
        "fbld    #Mt ", "fild    #Mq ", "fbstp   #Mt ", "fistp   #Mq ",
        // C0
        "%c ", "%c ", "%c ", "%c ",
        "%c ", "%c ", "%c ", "%c ",
        // C8
        "%c ", "%c ", "%c ", "%c ",
        "%c ", "%c ", "%c ", "%c ",
        // D0
        "%c ", "%c ", "%c ", "%c ",
        "%c ", "%c ", "%c ", "%c ",
        // D8
        "%c ", "%c ", "%c ", "%c ",
        "%c ", "%c ", "%c ", "%c ",
        // E0
        "fnstsw  ax", "%c ", "%c ", "%c ",
        "%c ", "%c ", "%c ", "%c ",
        // E8
        "fucomip st(0), st(0)", "fucomip st(0), st(1)", "fucomip st(0), st(2)", "fucomip st(0), st(3)",
        "fucomip st(0), st(4)", "fucomip st(0), st(5)", "fucomip st(0), st(6)", "fucomip st(0), st(7)",
        // F0
        "fcomip  st(0), st(0)", "fcomip  st(0), st(1)", "fcomip  st(0), st(2)", "fcomip  st(0), st(3)",
        "fcomip  st(0), st(4)", "fcomip  st(0), st(5)", "fcomip  st(0), st(6)", "fcomip  st(0), st(7)",
        // F8
        "%c ", "%c ", "%c ", "%c ",
        "%c ", "%c ", "%c ", "%c ",
    },
};

} // namespace disasm_tables
