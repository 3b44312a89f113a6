#pragma once
#include <QString>
#include <exception>
#include <new>
#include <optional>

#include "core/Error.h"

namespace querimo::exec {

// Runs a step of a statement's run and hands back its failure, whatever was thrown, as the text the user sees:
// the engine's own description, or a message for what the engine did not foresee. Nothing when it succeeded.
template <typename F>
std::optional<QString> FoutVan(F&& stap)
{
    try {
        stap();
    } catch (const DbError& e) {
        return QString::fromStdString(e.description());
    } catch (const std::bad_alloc&) {
        return QStringLiteral("Onvoldoende geheugen om de SQL opdracht te verwerken.");
    } catch (const std::exception& e) {
        return "Onverwachte fout bij het verwerken van de SQL opdracht: " + QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("Onverwachte fout bij het verwerken van de SQL opdracht.");
    }
    return std::nullopt;
}

}  // namespace querimo::exec
