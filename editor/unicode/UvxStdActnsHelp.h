#pragma once
// The framework's help actions with wide captions and hints.
#include <string>

#include "editor/unicode/UvxStdActns.h"
#include "framework/HelpActions.h"

class TUvxHelpAction : public TUvxStdAction<THelpAction> {
public:
    using TUvxStdAction<THelpAction>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxHelpAction"; }
};

class TUvxHelpContents : public TUvxStdAction<THelpContents> {
public:
    using TUvxStdAction<THelpContents>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxHelpContents"; }
};

class TUvxHelpTopicSearch : public TUvxStdAction<THelpTopicSearch> {
public:
    using TUvxStdAction<THelpTopicSearch>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxHelpTopicSearch"; }
};

class TUvxHelpOnHelp : public TUvxStdAction<THelpOnHelp> {
public:
    using TUvxStdAction<THelpOnHelp>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxHelpOnHelp"; }
};

class TUvxHelpContextAction : public TUvxStdAction<THelpContextAction> {
public:
    using TUvxStdAction<THelpContextAction>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxHelpContextAction"; }
};
