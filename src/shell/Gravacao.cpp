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

namespace {

// Firebird's error codes the operator can act on (isc_string_truncation,
// isc_numeric_out_of_range, isc_io_write_err).
constexpr long TextoLongo = 335544914L;
constexpr long NumeroForaDoLimite = 335544916L;
constexpr long FalhaDeEscrita = 335544737L;

// The site's message, and after it the reason the database gave when the
// operator can do something about it.
QString comMotivo(const QString& mensagem, const std::exception& e) {
    const auto* db = dynamic_cast<const DbError*>(&e);
    if (!db)
        return mensagem;
    QString motivo;
    if (db->has(TextoLongo))
        motivo = QStringLiteral("Um dos textos é mais longo do que o Banco de Dados guarda: "
                                "encurte-o e grave de novo.");
    else if (db->has(NumeroForaDoLimite))
        motivo = QStringLiteral("Um dos números é grande demais para o Banco de Dados: "
                                "corrija-o e grave de novo.");
    else if (db->has(FalhaDeEscrita))
        motivo = QStringLiteral("O servidor não conseguiu gravar no disco (disco cheio?): "
                                "libere espaço no disco do Banco de Dados e grave de novo.");
    return motivo.isEmpty() ? mensagem : mensagem + u'\n' + motivo;
}

} // namespace

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
        db.startTransaction(0, site.esperaPendentes);
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
                                                             : comMotivo(site.failureMessage, e);
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

// Whether the value is above zero once rounded as its column keeps it.
bool acimaDeZeroComoGuardado(double valor, const NumericField* numero) {
    const RoundedDecimal guardado =
        roundDecimal(valor, numero ? NumericField::storedDecimals(numero->kind()) : 3);
    return !guardado.negative && (guardado.integral != "0" ||
                                  guardado.fraction.find_first_not_of('0') != std::string::npos);
}

} // namespace

bool LimpaNumerosParaGravar(std::initializer_list<QLineEdit*> campos, QLineEdit* acimaDeZero) {
    auto recusa = [](QLineEdit* campo, const QString& motivo) {
        Messages::warning(QStringLiteral("O valor \"%1\" do campo \"%2\" %3. Corrija o valor e "
                                         "grave de novo; nada foi gravado.")
                              .arg(Trecho(campo->text()), nomeDoCampo(campo), motivo));
        campo->setFocus();
        return false;
    };
    for (QLineEdit* campo : campos) {
        const QString texto = campo->text();
        const NumericField* numero = NumericField::of(campo);
        if (texto.contains(u'E', Qt::CaseInsensitive))
            return recusa(campo, QStringLiteral("é grande demais para ser gravado"));
        double valor = 0;
        try {
            valor = fieldValue(texto);
        } catch (const ConversionError&) {
            return recusa(campo, QStringLiteral("não é um número"));
        }
        if (numero && !cabeNaColuna(valor, numero->kind()))
            return recusa(campo, QStringLiteral("é grande demais para ser gravado"));
        // A sign never belongs in an amount or a quantity: the operation
        // alone says which way stock moves.
        if (valor < 0 && !(numero && numero->kind() == NumericField::Percentage))
            return recusa(campo, QStringLiteral("não pode ser negativo"));
        if (campo == acimaDeZero && !acimaDeZeroComoGuardado(valor, numero))
            return recusa(campo, QStringLiteral("deve ser maior que zero"));
    }
    for (QLineEdit* campo : campos) {
        campo->setText(LimpaNumero(campo->text()));
        if (const NumericField* numero = NumericField::of(campo))
            numero->roundWholeNumber();
    }
    return true;
}

QString Trecho(const QString& texto) {
    constexpr int Maximo = 40;
    return texto.size() <= Maximo ? texto : texto.left(Maximo) + QStringLiteral("…");
}
