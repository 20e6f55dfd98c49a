#pragma once

#include "doubles/FakeCharacter.h"

#include "character/IAgentCtlCharacters.h"

#include <map>

// Test double for the character control: a character folder that is a list
// of names, characters that record what they are asked (FakeCharacter), and
// the control's errors for missing files, non-character files and IDs.
class FakeAgentControl : public velmora::character::IAgentCtlCharacters {
public:
    void Load(const QString &id, const QString &fileName) override
    {
        calls.append(QString("Load %1 %2").arg(id, fileName));
        using namespace velmora;
        if (missingFolder || fileName.isEmpty() || fileName.contains(u'/') || fileName.contains("..")
            || !(characterFiles.contains(fileName) || otherFiles.contains(fileName)))
            throw Error(ErrorNumber::CharacterNotFound,
                QString("The character file is not in the character folder."));
        if (m_loaded.count(id.toCaseFolded()))
            throw Error(ErrorNumber::CharacterError, QString("A character is already loaded under that ID."));
        if (otherFiles.contains(fileName))
            throw Error(ErrorNumber::CharacterError, QString("Not a character file."));
        m_loaded.emplace(id.toCaseFolded(), std::make_shared<FakeCharacter>(fileName));
    }
    void Unload(const QString &id) override
    {
        calls.append(QString("Unload ") + id);
        const std::shared_ptr<FakeCharacter> character = loaded(id);
        character->unloaded = true;
        m_loaded.erase(id.toCaseFolded());
    }
    std::shared_ptr<velmora::character::IAgentCtlCharacter> Item(const QString &id) override
    {
        calls.append(QString("Item ") + id);
        return loaded(id);
    }

    // The character under the ID; throws like Item, without recording a call.
    std::shared_ptr<FakeCharacter> loaded(const QString &id) const
    {
        const auto found = m_loaded.find(id.toCaseFolded());
        if (found == m_loaded.end())
            throw velmora::Error(
                velmora::ErrorNumber::CharacterError, QString("No character is loaded under that ID."));
        return found->second;
    }
    bool isLoaded(const QString &id) const { return m_loaded.count(id.toCaseFolded()) != 0; }

    QStringList characterFiles { QString("gulmo.vchar"), QString("oolo.vchar"), QString("zippik.vchar") };
    QStringList otherFiles; // in the folder, but not characters
    bool missingFolder = false;
    QStringList calls; // Load, Unload and Item, in order

private:
    std::map<QString, std::shared_ptr<FakeCharacter>> m_loaded; // by case-folded ID
};
