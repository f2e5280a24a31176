#include "editor/crashreport/support/options/ExceptionFilters.h"

#include "editor/crashreport/support/options/ModuleOptions.h"

TZorvikExceptionsFilters::~TZorvikExceptionsFilters()
{
    // The owner is being destroyed with its publishing switched off; freeing
    // the records is all that is left.
    for (int i = 0; i < Count(); ++i) delete static_cast<TZorvikExceptionFilter*>(Get(i));
    TList::Clear();
}

void TZorvikExceptionsFilters::Publish()
{
    if (FOwner) FOwner->SaveToSharedData();
}

int TZorvikExceptionsFilters::Add(const TZorvikExceptionFilter& filter)
{
    auto* record = new TZorvikExceptionFilter(filter);
    int index;
    try {
        index = TList::Add(record);
    } catch (...) {
        delete record;
        throw;
    }
    Publish();
    return index;
}

void TZorvikExceptionsFilters::Insert(int index, const TZorvikExceptionFilter& filter)
{
    auto* record = new TZorvikExceptionFilter(filter);
    try {
        TList::Insert(index, record);
    } catch (...) {
        delete record;
        throw;
    }
    Publish();
}

void TZorvikExceptionsFilters::Delete(int index)
{
    auto* record = static_cast<TZorvikExceptionFilter*>(Get(index));  // checks the index
    TList::Delete(index);
    delete record;
    Publish();
}

void TZorvikExceptionsFilters::Clear()
{
    while (Count() > 0) {
        delete static_cast<TZorvikExceptionFilter*>(Get(0));
        TList::Delete(0);
    }
    TList::Clear();
    Publish();
}

TZorvikExceptionFilter* TZorvikExceptionsFilters::GetItem(int index) const
{
    return static_cast<TZorvikExceptionFilter*>(Get(index));
}

void TZorvikExceptionsFilters::Assign(const TZorvikExceptionsFilters& source)
{
    if (&source == this) return;
    Clear();
    for (int i = 0; i < source.Count(); ++i) Add(*source.GetItem(i));
}

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameTextAscii(const std::string& a, size_t from, size_t length, const std::string& b)
{
    if (length != b.size()) return false;
    for (size_t i = 0; i < length; ++i)
        if (LowerAscii(a[from + i]) != LowerAscii(b[i])) return false;
    return true;
}

}  // namespace

bool FilterNamesClass(const std::string& filterClassName, const std::vector<std::string>& classChain)
{
    size_t first = 0, last = filterClassName.size();
    while (first < last && static_cast<unsigned char>(filterClassName[first]) <= ' ') ++first;
    while (last > first && static_cast<unsigned char>(filterClassName[last - 1]) <= ' ') --last;
    if (first == last) return false;
    for (const std::string& name : classChain)
        if (SameTextAscii(filterClassName, first, last - first, name)) return true;
    return false;
}

int TZorvikExceptionsFilters::FindMatch(const std::vector<std::string>& classChain, bool handledByProgram) const
{
    for (int i = 0; i < Count(); ++i) {
        const TZorvikExceptionFilter& f = *GetItem(i);
        if (!f.Active || f.ExceptionType > fetUnhandled) continue;
        if (f.ExceptionType == fetHandled && !handledByProgram) continue;
        if (f.ExceptionType == fetUnhandled && handledByProgram) continue;
        if (FilterNamesClass(f.ExceptionClassName, classChain)) return i;
    }
    return -1;
}

TExceptionDialogType FilterDialogType(TFilterDialogType filterDialog, TExceptionDialogType own)
{
    switch (filterDialog) {
    case fdtNone: return edtNone;
    case fdtMessageBox: return edtMessageBox;
    case fdtMSClassic: return edtMSClassic;
    case fdtZorvikLog: return edtZorvikLog;
    default: return own;
    }
}
