-- Keys: one rule for every table with a key generator. A null key is drawn;
-- a code shown on screen as "generator + 1" is drawn too, which advances the
-- generator so the next form shows a fresh code; a key the program drew
-- itself (at or below the generator) is kept.
set term ^ ;

create trigger produto_bi for produto active before insert position 0 as
begin
    if (new.ncodigo is null or new.ncodigo > gen_id(produto, 0)) then
        new.ncodigo = gen_id(produto, 1);
end^

create trigger grupo_bi for grupo active before insert position 0 as
begin
    if (new.ncodigo is null or new.ncodigo > gen_id(grupo, 0)) then
        new.ncodigo = gen_id(grupo, 1);
end^

create trigger tipo_entrada_bi for tipo_entrada active before insert position 0 as
begin
    if (new.ncodigo is null or new.ncodigo > gen_id(tipo_entrada, 0)) then
        new.ncodigo = gen_id(tipo_entrada, 1);
end^

create trigger fornecedor_bi for fornecedor active before insert position 0 as
begin
    if (new.ncodigo is null or new.ncodigo > gen_id(fornecedor, 0)) then
        new.ncodigo = gen_id(fornecedor, 1);
end^

create trigger compra_bi for compra active before insert position 0 as
begin
    if (new.ncodigo is null or new.ncodigo > gen_id(codigo_compra, 0)) then
        new.ncodigo = gen_id(codigo_compra, 1);
end^

create trigger item_da_compra_bi for item_da_compra active before insert position 0 as
begin
    if (new.ncodigo is null or new.ncodigo > gen_id(item_da_compra, 0)) then
        new.ncodigo = gen_id(item_da_compra, 1);
end^

create trigger item_venda_bi for item_venda active before insert position 0 as
begin
    if (new.ncodigo is null or new.ncodigo > gen_id(item_venda, 0)) then
        new.ncodigo = gen_id(item_venda, 1);
end^

-- The moment of a sale or an entry is the database's, never a workstation's
-- clock; only a null date is filled, so migrated rows keep theirs.
create trigger venda_bi for venda active before insert position 0 as
begin
    if (new.ncodigo is null or new.ncodigo > gen_id(venda, 0)) then
        new.ncodigo = gen_id(venda, 1);
    if (new.ddata_venda is null) then
        new.ddata_venda = current_timestamp;
end^

create trigger entrada_bi for entrada active before insert position 0 as
begin
    if (new.ncodigo is null or new.ncodigo > gen_id(entrada, 0)) then
        new.ncodigo = gen_id(entrada, 1);
    if (new.ddata_entrada is null) then
        new.ddata_entrada = current_timestamp;
end^

-- Cancellation moment: stamped when the flag turns to 'Sim'.
create trigger item_venda_bu for item_venda active before update position 0 as
begin
    if (new.cexcluido = 'Sim' and old.cexcluido is distinct from 'Sim') then
        new.ddata_exclusao = current_timestamp;
end^

create trigger entrada_bu for entrada active before update position 0 as
begin
    if (new.cexcluida = 'Sim' and old.cexcluida is distinct from 'Sim') then
        new.ddata_exclusao = current_timestamp;
end^

-- Refusals a bar wants from its database whichever screen writes.
create trigger item_venda_biu for item_venda active before insert or update position 10 as
begin
    if (inserting or new.nqtde is distinct from old.nqtde) then
        if (new.nqtde is null or new.nqtde <= 0) then
            exception e_quantidade_invalida;
    if (inserting or new.npreco is distinct from old.npreco) then
        if (new.npreco < 0) then
            exception e_preco_negativo;
end^

create trigger item_da_compra_biu for item_da_compra active before insert or update position 10 as
begin
    if (inserting or new.nqtde is distinct from old.nqtde) then
        if (new.nqtde is null or new.nqtde <= 0) then
            exception e_quantidade_invalida;
    if (inserting or new.nunitario is distinct from old.nunitario) then
        if (new.nunitario < 0) then
            exception e_preco_negativo;
end^

create trigger entrada_biu for entrada active before insert or update position 10 as
begin
    -- The counter finds the type by its name; no match leaves it null.
    if (new.ntipo_entrada is null) then
        exception e_tipo_entrada_desconhecido;
    if (inserting or new.nvalor is distinct from old.nvalor) then
        if (new.nvalor < 0) then
            exception e_valor_negativo;
end^

-- A register never stores a price or a quantity below zero; rows stored
-- before keep theirs until the value itself is changed.
create trigger produto_biu for produto active before insert or update position 10 as
begin
    if ((inserting or new.nvalor_compra is distinct from old.nvalor_compra) and new.nvalor_compra < 0
        or (inserting or new.nvalor_venda is distinct from old.nvalor_venda) and new.nvalor_venda < 0
        or (inserting or new.nvalor_interno is distinct from old.nvalor_interno) and new.nvalor_interno < 0
        or (inserting or new.nqtde_atual is distinct from old.nqtde_atual) and new.nqtde_atual < 0
        or (inserting or new.nqtde_minima is distinct from old.nqtde_minima) and new.nqtde_minima < 0
        or inserting and new.nqtde_inicial < 0) then
        exception e_produto_negativo;
end^

create trigger tipo_entrada_biu for tipo_entrada active before insert or update position 10 as
begin
    if ((inserting or new.nvalor is distinct from old.nvalor) and new.nvalor < 0) then
        exception e_tipo_entrada_negativo;
end^

create trigger compra_biu for compra active before insert or update position 10 as
begin
    -- The purchase screens find the supplier by its trade name.
    if (new.nfornecedor is null) then
        exception e_fornecedor_desconhecido;
end^

create trigger estabelecimento_bd for estabelecimento active before delete position 0 as
begin
    exception e_estabelecimento_fixo;
end^

create trigger fornecedor_bd for fornecedor active before delete position 0 as
begin
    if (old.ncodigo in (0, 1)) then
        exception e_fornecedor_reservado;
end^

-- Sales and entries name their cash register by number without a foreign
-- key (migrated sales may name registers that no longer exist): a register
-- that any of them names stays.
create trigger caixa_bd for caixa active before delete position 0 as
begin
    if (exists(select 1 from venda where ncaixa_venda = old.ncodigo)
        or exists(select 1 from entrada where ncaixa_entrada = old.ncodigo or ncaixa_exclusao = old.ncodigo)
        or exists(select 1 from item_venda where ncaixa_exclusao = old.ncodigo)) then
        exception e_caixa_em_uso;
end^

set term ; ^
