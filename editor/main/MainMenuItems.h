#pragma once
// The names of every menu item of the main window's layout, parent menus
// first. The form has one member per name; the layout table fills them.
#define TQ_MAIN_MENU_ITEMS(X)                                                                              \
    X(File1) X(New1) X(NewFileinNewWindow1) X(Open1) X(OpeninNewWindow1) X(Save1) X(Saveas1)               \
    X(FileStatistics1) X(BeforeExit) X(Exit1)                                                              \
    X(Edit1) X(Undo1) X(Redo1) X(Knip) X(Copy) X(Paste1) X(Delete1) X(SelectAll1) X(Insert1)              \
    X(SetFileSize1) X(EndofFile1)                                                                          \
    X(Search1) X(Searchfor1) X(FindNext) X(Replace1) X(ExactLocation1) X(Startoffile1) X(Endoffile2)       \
    X(View1) X(MenuView1) X(MenuView2) X(MenuView3) X(Binary) X(DataTypes1)                                \
    X(Options1) X(Firstbyteisbyte1) X(ReadOnly1) X(Lock) X(InsertwhenTyping) X(DisableUndoRedo)           \
    X(Nextbytejump1) X(N3Cursors1) X(FillingChar) X(tozero1) X(tospace321) X(SetFillChar) X(Colors1)       \
    X(Language1) X(English1) X(Nederlands1)                                                                \
    X(Extra1) X(AdaptedText) X(CopyTextUseDot) X(CopyTextUseSpace) X(CopyTextUseOtherValue)               \
    X(NumPerLine) X(NoEntersNumLine) X(NumLine4) X(NumLine8) X(NumLine16)                                  \
    X(AdaptedTexttoClipboard) X(DumptoClipboard1) X(DumptoClipboard2) X(DecimalCopy) X(HexadCopy)          \
    X(BinaryCopy) X(DataTypestoClipboard1) X(N8bitsunsigned1) X(N8bitssigned1) X(N16bitsunsigned1)         \
    X(N16bitssigned1) X(N32bitsunsigned1) X(N32bitsunsigned2) X(N32bitsfloat1) X(N64bitsfloat1)            \
    X(DecimalNumbersfromClipboard1) X(HexadecimalNumbersfromClipboard1) X(BinaryNumbersfromClipboard1)     \
    X(DataTypesfromClipboard1) X(N8bitsunsignedFromClipboard) X(N8bitssignedFromClipboard)                 \
    X(N16bitsunsignedFromClipboard) X(N16bitssignedFromClipboard) X(N32bitsunsignedFromClipboard)          \
    X(N32bitssignedFromClipboard) X(N32bitsfloatFromClipboard) X(N64bitsFromClipboard)                     \
    X(DataTypesfromFile1) X(N8bitsunsignedFile) X(N8bitssignedFile) X(N16bitsunsignedFile)                 \
    X(N16bitssignedFile) X(N32bitsunsignedFile) X(N32bitssignedFile) X(N32bitsfloatFile) X(N64bitsfloatFile) \
    X(HexadecimalFile)                                                                                     \
    X(Help1) X(Index1) X(About1)
