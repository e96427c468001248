#pragma once

#include <QString>

// Every message the system shows, in one place. Texts quoted from the
// screens' own wording stay exactly as they are; the newer ones keep that tone.
namespace msg {

inline const QString title = QStringLiteral("Vorinda");

// Start-up and configuration
inline const QString caixaNaoCadastrado = QStringLiteral("O caixa não está cadastrado!");
inline const QString falhaCarregar = QStringLiteral("Não foi possivel carregar o programa! Deseja visualizar a mensagem original do erro?");
inline const QString configNaoGravada = QStringLiteral(
    "Não foi possível gravar o arquivo de configuração! Nada foi alterado. Verifique a pasta de dados e tente novamente.");
inline const QString colunaLinhaMaiorQueZero = QStringLiteral("A coluna de impressão e a linha de impressão deve ter valor maior que zero!");

// Shared procedures
inline const QString camposObrigatorios = QStringLiteral("Verifique se os campos obrigatórios foram preenchidos corretamente!");
inline const QString confirmaExclusao = QStringLiteral("Confirma a exclusão desse registro?");
inline const QString registroNaoLocalizado = QStringLiteral("Registro não localizado!");
inline const QString violacaoIntegridade = QStringLiteral("Essa operação não pode ser realizada porque causaria a violação da integridade dos dados! Deseja visualizar a mensagem original do banco de dados?");
inline const QString registroJaExiste = QStringLiteral("Este registro já existe. Por favor verifique! Deseja visualizar a mensagem original do banco de dados?");
inline const QString estabelecimentoVazio = QStringLiteral("O estabelecimento não está cadastrado!");
inline const QString dataHoraBanco = QStringLiteral("O banco de dados não informou a data e a hora atuais.");
inline const QString valorNegativo = QStringLiteral("O campo \"%1\" não aceita valor negativo! Por favor verifique.");

// Printing
inline const QString arquivoImpressaoFalhou = QStringLiteral("Não foi possível gravar o arquivo de impressão! Verifique a pasta de dados e tente novamente com F3.");
inline const QString arquivoImpressaoIlegivel = QStringLiteral("Não foi possível ler o arquivo de impressão! Verifique a pasta de dados e tente novamente com F3.");
inline const QString impressoraIndisponivel = QStringLiteral("Não foi possível enviar a impressão para a impressora! Verifique se ela está ligada e com papel e tente novamente com F3.");
inline const QString impressoraNaoResponde = QStringLiteral("A impressora não respondeu a tempo! Verifique se ela está ligada e com papel e tente novamente com F3.");
inline const QString programaImpressaoNaoEncontrado = QStringLiteral("O programa auxiliar de impressão (imp) não foi encontrado! Verifique a instalação e tente novamente com F3.");

// Admission and parking counter
inline const QString quantidadeInvalida = QStringLiteral("Quantidade inválida! Informe um número inteiro de unidades, de 1 a 32767.");
inline const QString tipoEntradaNaoLocalizado = QStringLiteral("O tipo de entrada não foi localizado! Tecle F5 para carregar os tipos novamente.");
inline const QString entradaNaoReleu = QStringLiteral("A entrada gravada não pôde ser lida de volta! Nada foi gravado; tente novamente.");

// Sale counter
inline const QString camposIncorretos = QStringLiteral("Verifique se os campos foram informados corretamente!");
inline const QString cancelarVenda = QStringLiteral("Deseja realmente cancelar essa venda?");
inline const QString informeProdutos = QStringLiteral("Informe os produtos antes de fechar a venda!");
inline const QString verifiqueRecebido = QStringLiteral("Por favor verifique o valor recebido!");
inline const QString sairComVendaAberta = QStringLiteral("Existe uma venda em andamento! Deseja realmente sair e cancelar essa venda?");
inline const QString valorAcimaDoLimite = QStringLiteral("A quantidade ou o valor informado está acima do limite permitido! Por favor verifique.");
inline const QString vendaNaoGravada = QStringLiteral("A venda não foi gravada! Os produtos continuam na tela: tente fechar a venda novamente ou cancele-a com F2.");
inline const QString vendaIndefinida = QStringLiteral(
    "A conexão com o servidor do banco de dados caiu enquanto a venda era gravada, e ainda não é possível saber se ela foi gravada. "
    "Os produtos continuam na tela: quando o servidor voltar, feche a venda de novo (F5). O programa confere antes se ela já "
    "está gravada e nunca a grava duas vezes.");
inline const QString vendaJaGravada = QStringLiteral("A venda que estava na tela já tinha sido gravada quando a conexão caiu: ela não foi gravada de novo e os cupons foram impressos agora.");
inline const QString vendaGravadaSemCupom = QStringLiteral("A venda foi gravada, mas os cupons não foram impressos:\n%1\nPara imprimir, pressione F3.");

// Admission sales whose connection broke (%1: the sale's document text)
inline const QString entradaIndefinida = QStringLiteral(
    "A conexão com o servidor do banco de dados caiu enquanto a venda de entradas era gravada, e ainda não é possível saber se "
    "ela foi gravada. Os campos continuam na tela: quando o servidor voltar, tecle Enter no Troco de novo. O programa confere "
    "antes se ela já está gravada e nunca a grava duas vezes.");
inline const QString entradaJaGravada = QStringLiteral("A venda de entradas que estava na tela já tinha sido gravada quando a conexão caiu (documento %1): ela não foi gravada de novo e o cupom foi impresso agora.");
inline const QString entradaNaoGravada = QStringLiteral("A venda de entradas não foi gravada! Os campos continuam na tela: tente de novo.");
inline const QString entradaGravadaSemCupom = QStringLiteral("A venda de entradas foi gravada (documento %1), mas o cupom não foi impresso:\n%2\nPara imprimir, pressione F3.");

// Registers
inline const QString numeroCaixaInvalido = QStringLiteral("Código do caixa inválido! Informe um número inteiro de 1 a 32767.");

// Purchases
inline const QString informeFornecedor = QStringLiteral("Informe o fornecedor!");
inline const QString quantidadeMaiorQueZero = QStringLiteral("A quantidade deve ser maior que zero!");
inline const QString incluaProdutosCompra = QStringLiteral("Você deve incluir os produtos antes de fechar a compra!");
inline const QString compraRegistrada = QStringLiteral("Compra registrada com sucesso!");
inline const QString cancelarCompra = QStringLiteral("Deseja realmente cancelar essa compra?");
inline const QString descontoAcimaDoTotal = QStringLiteral("O desconto não pode ser maior que o total dos produtos mais os acréscimos! Por favor verifique.");
inline const QString itensAlteradosOutroCaixa = QStringLiteral("Os itens desta compra foram alterados em outro caixa! A lista foi atualizada: confira o total e grave novamente.");
inline const QString selecioneItemCompra = QStringLiteral("Selecione na lista o item que deseja alterar!");

// Registers
inline const QString caractereNaoImprimivel = QStringLiteral("O campo \"%1\" contém o caractere \"%2\", que a impressora não pode imprimir! Por favor verifique.");
inline const QString casasDecimais = QStringLiteral("O campo \"%1\" aceita no máximo três casas decimais! Por favor verifique.");
inline const QString textoLongoCampo = QStringLiteral("O texto do campo \"%1\" é mais longo do que o banco de dados aceita (até %2 caracteres)! Por favor verifique.");
inline const QString textoLongo = QStringLiteral("Um dos textos informados é mais longo do que o banco de dados aceita (até %1 caracteres)! Por favor verifique.");

// Movement queries (cancelling sale lines and entries)
inline const QString registroJaExcluido = QStringLiteral("O registro marcado já tinha sido excluído em outro caixa e foi mantido como estava! As listas foram atualizadas.");
inline const QString registrosJaExcluidos = QStringLiteral("Os registros marcados já tinham sido excluídos em outro caixa e foram mantidos como estavam! As listas foram atualizadas.");
inline const QString algunsJaExcluidos = QStringLiteral("Alguns dos registros marcados já tinham sido excluídos em outro caixa e foram mantidos como estavam; os demais foram excluídos agora. Confira as listas atualizadas!");
inline const QString conflitoOutroCaixa = QStringLiteral("Outro caixa estava alterando um dos registros marcados neste momento! Nada foi excluído; as listas foram atualizadas: marque os registros e tente novamente.");

inline const QString exclusaoIndefinida = QStringLiteral(
    "A conexão com o servidor do banco de dados caiu enquanto a exclusão era gravada, e ainda não é possível saber se ela foi "
    "gravada. Quando o servidor voltar, pesquise de novo (F5) e confira as listas antes de excluir outra vez.");
inline const QString exclusaoJaGravada = QStringLiteral("A conexão caiu no fim da exclusão, mas ela foi gravada: as listas foram atualizadas.");
// Reports
inline const QString periodoInvalido = QStringLiteral("O período informado é inválido! A data e a hora inicial devem ser anteriores à data e à hora final.");
inline const QString relatorioGravado = QStringLiteral("O relatório foi gravado em %1.");
// General settings (working hours and document counters)
inline const QString configuracaoNaoGravada = QStringLiteral("Nada foi gravado: o horário de trabalho e a numeração continuam como estavam.");

// Migration of the sales of the old database
inline const QString migracaoOk = QStringLiteral("ok");
inline const QString antigoNaoEncontrado = QStringLiteral("O banco de dados antigo não foi encontrado:\n%1\nNenhuma venda foi alterada.");
inline const QString antigoNaoAbre = QStringLiteral("Não foi possível abrir o banco de dados antigo:\n%1\n%2\nNenhuma venda foi alterada.");
inline const QString antigoNaoLido = QStringLiteral("Não foi possível ler as vendas do banco de dados antigo:\n%1\n%2\nNenhuma venda foi alterada.");
inline const QString migracaoInterrompida = QStringLiteral("A migração foi interrompida entre as vendas antigas de código %1 e %2. Nenhuma venda do banco atual foi alterada.");
inline const QString migracaoNaoConcluida = QStringLiteral("A migração não pôde ser concluída. Nenhuma venda do banco atual foi alterada.");
inline const QString situacaoDesconhecida = QStringLiteral("%1 venda(s) antiga(s) com situação diferente de \"Ativo\" e \"Excluido\" foram copiadas como ativas.");

} // namespace msg
