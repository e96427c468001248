-- Keys and document numbers. Workstations draw from these, so two of them
-- never get the same number.
create generator venda;
create generator entrada;
create generator numero_venda;
create generator numero_entrada;
create generator produto;
create generator grupo;
create generator tipo_entrada;
create generator fornecedor;
create generator codigo_compra;
create generator item_venda;
create generator item_da_compra;
