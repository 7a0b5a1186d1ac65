#pragma once

#include "platform/system/InterfaceLanguage.h"
#include "types/MessageLanguage.h"

#include <QLocale>
#include <QObject>

#include <memory>

namespace lumetra::test {

// The English face for the life of the guard: Lumetra's and Qt's English translations
// installed, English numbers and dates, the readers and devices speaking English. Windows made
// while it lives come up in English; the Chinese face is back when it goes.
class EnglishInterface
{
public:
    EnglishInterface() : m_translators(std::make_unique<QObject>())
    {
        applyInterfaceLanguage(*m_translators, InterfaceLanguage::English);
    }
    ~EnglishInterface()
    {
        m_translators.reset(); // a deleted translator is removed from the application
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
        setMessagesInEnglish(false);
    }
    EnglishInterface(const EnglishInterface &) = delete;
    EnglishInterface &operator=(const EnglishInterface &) = delete;

private:
    std::unique_ptr<QObject> m_translators;
};

} // namespace lumetra::test
