-- Refusals for the operator: the text after "{ini}" is shown as it stands.
create exception e_estabelecimento_fixo
    '{ini}O registro do estabelecimento não pode ser excluído!';
create exception e_fornecedor_reservado
    '{ini}Os fornecedores de código 0 e 1 são reservados pelo sistema e não podem ser excluídos!';
create exception e_quantidade_invalida
    '{ini}A quantidade do item deve ser maior que zero!';
create exception e_preco_negativo
    '{ini}O preço do item não pode ser negativo!';
create exception e_valor_negativo
    '{ini}O valor da entrada não pode ser negativo!';
create exception e_produto_negativo
    '{ini}Os preços e as quantidades do produto não podem ser negativos!';
create exception e_tipo_entrada_negativo
    '{ini}O preço do tipo de entrada não pode ser negativo!';
create exception e_tipo_entrada_desconhecido
    '{ini}O tipo de entrada informado não está cadastrado!';
create exception e_fornecedor_desconhecido
    '{ini}O fornecedor informado não está cadastrado!';
create exception e_caixa_em_uso
    '{ini}O caixa não pode ser excluído porque há vendas, entradas ou cancelamentos registrados com o seu número!';
