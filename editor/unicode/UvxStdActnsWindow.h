#pragma once
// The window actions with wide captions and hints: each works on the frame
// form as the framework's does.
#include <string>

#include "editor/unicode/UvxStdActns.h"
#include "framework/WindowActions.h"

class TUvxWindowAction : public TUvxStdAction<TWindowAction> {
public:
    using TUvxStdAction<TWindowAction>::TUvxStdAction;
    std::string ClassName() const override;
};

class TUvxWindowClose : public TUvxStdAction<TWindowClose> {
public:
    using TUvxStdAction<TWindowClose>::TUvxStdAction;
    std::string ClassName() const override;
};

class TUvxWindowCascade : public TUvxStdAction<TWindowCascade> {
public:
    using TUvxStdAction<TWindowCascade>::TUvxStdAction;
    std::string ClassName() const override;
};

class TUvxWindowTileHorizontal : public TUvxStdAction<TWindowTileHorizontal> {
public:
    using TUvxStdAction<TWindowTileHorizontal>::TUvxStdAction;
    std::string ClassName() const override;
};

class TUvxWindowTileVertical : public TUvxStdAction<TWindowTileVertical> {
public:
    using TUvxStdAction<TWindowTileVertical>::TUvxStdAction;
    std::string ClassName() const override;
};

class TUvxWindowMinimizeAll : public TUvxStdAction<TWindowMinimizeAll> {
public:
    using TUvxStdAction<TWindowMinimizeAll>::TUvxStdAction;
    std::string ClassName() const override;
};

class TUvxWindowArrange : public TUvxStdAction<TWindowArrange> {
public:
    using TUvxStdAction<TWindowArrange>::TUvxStdAction;
    std::string ClassName() const override;
};
