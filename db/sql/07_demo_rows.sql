-- A small bar catalogue for trying the program. Codes are given in order,
-- so the key rule advances each generator past them.
insert into caixa (ncodigo, coperador) values (2, 'Caixa 2');

insert into grupo (ncodigo, cdescricao) values (1, 'Cervejas');
insert into grupo (ncodigo, cdescricao) values (2, 'Destilados');
insert into grupo (ncodigo, cdescricao) values (3, 'Refrigerantes E Águas');
insert into grupo (ncodigo, cdescricao) values (4, 'Drinks');
insert into grupo (ncodigo, cdescricao) values (5, 'Petiscos');

-- ncodigo, cdescricao, ngrupo, nqtde_inicial, nqtde_atual, nvalor_compra,
-- nvalor_venda, nqtde_minima, cunidade, nativo, nestoque, nvalor_interno
insert into produto values (1, 'Cerveja Lata', 1, 240, 240, 3.20, 7.00, 48, 'Lata', 1, 1, 4.00);
insert into produto values (2, 'Cerveja Long Neck', 1, 120, 120, 4.90, 12.00, 24, 'Garrafa', 1, 1, 6.00);
insert into produto values (3, 'Cerveja Garrafa', 1, 96, 96, 6.50, 15.00, 24, 'Garrafa', 1, 1, 8.00);
insert into produto values (4, 'Chope Claro', 1, 0, 0, 2.80, 9.50, 0, 'Copo', 1, 0, 5.00);
insert into produto values (5, 'Dose De Cachaça', 2, 0, 0, 1.50, 8.00, 0, 'Dose', 1, 0, 4.00);
insert into produto values (6, 'Dose De Uísque', 2, 0, 0, 6.00, 22.00, 0, 'Dose', 1, 0, 12.00);
insert into produto values (7, 'Dose De Vodca', 2, 0, 0, 3.00, 14.00, 0, 'Dose', 1, 0, 7.00);
insert into produto values (8, 'Refrigerante Lata', 3, 200, 200, 2.50, 6.00, 48, 'Lata', 1, 1, 3.00);
insert into produto values (9, 'Água Mineral', 3, 150, 150, 1.00, 4.00, 48, 'Garrafa', 1, 1, 2.00);
insert into produto values (10, 'Água Com Gás', 3, 80, 80, 1.20, 4.50, 24, 'Garrafa', 1, 1, 2.00);
insert into produto values (11, 'Caipirinha', 4, 0, 0, 4.00, 18.00, 0, 'Copo', 1, 0, 9.00);
insert into produto values (12, 'Caipiroska', 4, 0, 0, 5.00, 20.00, 0, 'Copo', 1, 0, 10.00);
insert into produto values (13, 'Porção De Fritas', 5, 0, 0, 8.00, 28.00, 0, 'Porção', 1, 0, 14.00);
insert into produto values (14, 'Porção De Calabresa', 5, 0, 0, 12.00, 38.00, 0, 'Porção', 1, 0, 19.00);
insert into produto values (15, 'Amendoim', 5, 60, 60, 1.50, 5.00, 12, 'Pacote', 1, 1, 2.50);

insert into tipo_entrada (ncodigo, cnome, nvalor, cestacionamento) values (1, 'Entrada Inteira', 30.00, 'N');
insert into tipo_entrada (ncodigo, cnome, nvalor, cestacionamento) values (2, 'Entrada Meia', 15.00, 'N');
insert into tipo_entrada (ncodigo, cnome, nvalor, cestacionamento) values (3, 'Entrada Vip', 80.00, 'N');
insert into tipo_entrada (ncodigo, cnome, nvalor, cestacionamento) values (4, 'Estacionamento', 20.00, 'S');
