#include "shell/Gravacao.h"

#include "data/DbError.h"
#include "data/FbConnection.h"
#include "data/ListCopy.h"
#include "data/SqlConnection.h"
#include "entry/Funcoes.h"
#include "entry/NumericField.h"
#include "entry/RegionalNumbers.h"

#include <QLabel>
#include <QLineEdit>

bool Grava(const WriteSite& site, const std::function<void()>& statements,
           const std::function<void()>& followUp) {
    fb::Connection& db = site.connection->database();
    auto rollback = [&db] {
        try {
            db.rollback();
        } catch (const std::exception&) {
            // The transaction is gone either way; the message says it all.
        }
    };
    bool committed = false;
    try {
        db.startTransaction();
        statements();
        db.commit();
        committed = true;
        if (site.list)
            site.list->Refresh();
        if (followUp)
            followUp();
        return true;
    } catch (const UnstorableText&) {
        // Like a number that does not convert: the action stops with the
        // error's own text, which names the character, and nothing is kept.
        rollback();
        throw;
    } catch (const ConnectionLost& e) {
        // The operator must read that the connection went away, not the
        // site's message; and after the commit the write was kept, so it
        // must not be taken for lost.
        rollback();
        if (committed && !e.commitInDoubt)
            throw ConnectionLost(e, true);
        throw;
    } catch (const std::exception& e) {
        const auto* recusa = dynamic_cast<const Recusa*>(&e);
        const Messages::Kind kind = recusa ? recusa->kind : site.failureKind;
        const QString text = recusa                          ? recusa->text
                             : site.failureMessage.isEmpty() ? errorText(e)
                                                             : site.failureMessage;
        if (site.rollbackBeforeMessage) {
            rollback();
            Messages::show(kind, text);
        } else {
            Messages::show(kind, text);
            rollback();
        }
        return false;
    }
}

namespace {

// How a field is named to the operator: by its label.
QString nomeDoCampo(QLineEdit* campo) {
    for (const QLabel* rotulo : campo->window()->findChildren<QLabel*>())
        if (rotulo->buddy() == campo)
            return rotulo->text().remove(u':').trimmed();
    return campo->accessibleName();
}

// Whether the value fits the NUMERIC(15, decimals) column that keeps it,
// once rounded as it is stored.
bool cabeNaColuna(double valor, NumericField::Kind tipo) {
    const int decimais = NumericField::storedDecimals(tipo);
    return int(roundDecimal(valor, decimais).integral.size()) <= 15 - decimais;
}

} // namespace

bool LimpaNumerosParaGravar(std::initializer_list<QLineEdit*> campos) {
    for (QLineEdit* campo : campos) {
        const QString texto = campo->text();
        const NumericField* numero = NumericField::of(campo);
        const bool cientifico = texto.contains(u'E', Qt::CaseInsensitive);
        if (cientifico || (numero && !cabeNaColuna(fieldValue(texto), numero->kind()))) {
            Messages::warning(QStringLiteral("O valor \"%1\" do campo \"%2\" é grande demais "
                                             "para ser gravado. Corrija o valor e grave de "
                                             "novo; nada foi gravado.")
                                  .arg(texto, nomeDoCampo(campo)));
            campo->setFocus();
            return false;
        }
    }
    for (QLineEdit* campo : campos) {
        campo->setText(LimpaNumero(campo->text()));
        if (const NumericField* numero = NumericField::of(campo))
            numero->roundWholeNumber();
    }
    return true;
}
