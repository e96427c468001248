#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>

class Connection;
class Messages;
struct TerminalSettings;

// FrmAberturaCompra without widgets: the header of a purchase (date,
// supplier, invoice number, remarks), stored as a new purchase or over an
// existing one, then handed to the items screen.
class PurchaseOpening
{
public:
    struct Supplier
    {
        qint32 ncodigo = 0;
        QString cfantasia;
    };
    // What the items screen is opened with.
    struct Handover
    {
        qint32 codigoCompra = 0;
        bool binclusao = false;
    };
    // The screen's fields, named as on the screen.
    struct Fields
    {
        QDate dtpicker1;        // "Data"
        int combo1 = -1;        // "Fornecedor": index into suppliers(), -1 none chosen
        QString text1;          // "Nota"
        QString text9;          // "Obs"
        QString text3;          // "Código", shown only
    };

    static constexpr int NotaLength = 20;   // cnumero_doc
    static constexpr int ObsLength = 200;   // cobs

    // `inclusao`: a new purchase; otherwise the header of `codigoCompra`.
    PurchaseOpening(const TerminalSettings& settings, Messages& messages, bool inclusao, qint32 codigoCompra = 0);

    Fields fields;

    bool inclusao() const { return m_inclusao; }
    qint32 codigoCompra() const { return m_codigoCompra; }
    // Every supplier by trade name, as Combo1 lists them.
    const QList<Supplier>& suppliers() const { return m_suppliers; }

    // The date `today`, the suppliers, then the next code (new purchase) or
    // the stored header (change). False when a read failed (message shown).
    bool load(const QDate& today = QDate::currentDate());

    // "&Gravar": the header stored; what the items screen needs, or nothing
    // when it was refused (message shown, the fields as typed).
    std::optional<Handover> gravar();

private:
    Connection& conexao() const;
    bool loadSuppliers();
    bool loadHeader();
    std::optional<qint32> insert(qint32 fornecedor);
    bool update(qint32 fornecedor);

    const TerminalSettings& m_settings;
    Messages& m_messages;
    bool m_inclusao;
    qint32 m_codigoCompra;
    QList<Supplier> m_suppliers;
};
