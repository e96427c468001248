#include "common/system_reason.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace {

// The reasons a counter meets with its files, its printer and its print program.
QString knownReason(int error)
{
    switch (error) {
    case ENOSPC: return QStringLiteral("não há espaço livre no disco");
    case EDQUOT: return QStringLiteral("a cota de disco do usuário se esgotou");
    case EFBIG: return QStringLiteral("o arquivo passou do tamanho máximo permitido pelo sistema");
    case EACCES:
    case EPERM: return QStringLiteral("permissão negada");
    case ENOENT: return QStringLiteral("o arquivo ou a pasta não existe");
    case ENOTDIR: return QStringLiteral("uma parte do caminho não é uma pasta");
    case EISDIR: return QStringLiteral("o caminho é uma pasta, não um arquivo");
    case EROFS: return QStringLiteral("o disco só permite leitura");
    case EIO: return QStringLiteral("erro de leitura ou gravação no dispositivo");
    case EBUSY: return QStringLiteral("o dispositivo está ocupado");
    case ENXIO:
    case ENODEV: return QStringLiteral("o dispositivo não está disponível");
    case EPIPE: return QStringLiteral("o dispositivo deixou de receber os dados");
    case EAGAIN: return QStringLiteral("o dispositivo não está pronto");
    case EMFILE:
    case ENFILE: return QStringLiteral("há arquivos abertos demais");
    case ENAMETOOLONG: return QStringLiteral("o nome do arquivo é longo demais");
    case ELOOP: return QStringLiteral("o caminho tem atalhos (links) demais");
    case ETXTBSY: return QStringLiteral("o arquivo está em uso por outro programa");
    case ENOMEM: return QStringLiteral("falta memória");
    case ENOEXEC: return QStringLiteral("o arquivo não é um programa que possa ser executado");
    case EINVAL: return QStringLiteral("operação inválida para este arquivo ou dispositivo");
    default: return QString();
    }
}

} // namespace

QString systemReason(int error)
{
    const QString known = knownReason(error);
    return known.isEmpty() ? QStringLiteral("erro do sistema número %1").arg(error) : known;
}

QString fileReason(const QString& path, QFileDevice::FileError kind, int error)
{
    if (const QString known = knownReason(error); !known.isEmpty())
        return known;
    // Qt refuses some paths by its own checks, leaving no errno.
    const QFileInfo file(path);
    if (file.isDir())
        return knownReason(EISDIR);
    if (!file.absoluteDir().exists())
        return knownReason(ENOENT);
    switch (kind) {
    case QFileDevice::ResourceError: return QStringLiteral("não há espaço livre no disco ou faltam recursos do sistema");
    case QFileDevice::PermissionsError: return knownReason(EACCES);
    case QFileDevice::OpenError: return QStringLiteral("o arquivo não pôde ser aberto");
    case QFileDevice::ReadError: return QStringLiteral("falha ao ler o arquivo");
    case QFileDevice::WriteError: return QStringLiteral("falha ao gravar o arquivo");
    case QFileDevice::RenameError: return QStringLiteral("o arquivo novo não pôde tomar o lugar do anterior");
    case QFileDevice::RemoveError: return QStringLiteral("o arquivo não pôde ser apagado");
    default: return QStringLiteral("falha de leitura ou gravação");
    }
}
